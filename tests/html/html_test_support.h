#pragma once

#include "html/html_token.h"
#include "settings/user_styles.h"

#include <QString>

namespace htmltest {

// The built-in style values, made by hand so these tests do not depend on the settings code.
settings::UserStyleTable handStyles();

// An exported page of the surface's shape around the given body markup (from "<body" on).
QString exportedPage(const QString &body,
                     const QString &base = QStringLiteral("file:///C:/diary/"));

// The kept tokens' tags, joined by spaces ("body div val /div /body").
QString keptTags(const html::TokenList &tokens);

// The first kept token with the tag, or an empty token.
html::HtmlToken firstKept(const html::TokenList &tokens, const QString &tag);

} // namespace htmltest
