#pragma once

#include "html/html_token.h"

#include <QString>
#include <vector>

namespace settings {
struct UserStyleTable;
}

namespace html {

// One generated class: tag.xx selector, its number and the declarations it stands for.
struct ClassRule {
    int number = 0;
    QString selector;
    QString declarations;
};

// Gives every styled opening tag and picture a class; tokens with equal styles share one.
// Returns the rules in the order they were made.
std::vector<ClassRule> generateClasses(TokenList &tokens);

// Writes the kept tokens as indented markup; styles are written as classes only.
QString serializeBody(const TokenList &tokens);

// The inline style of links and of tooltip spans, made from the body text style.
QString linkStyle(const settings::UserStyleTable &styles);
QString tooltipStyle(const settings::UserStyleTable &styles);

// The complete style element: fixed rules from the user styles, then the class rules.
QString styleBlock(const settings::UserStyleTable &styles, std::vector<ClassRule> rules);

// The page head up to and including "</head>".
QString pageHead(const QString &styleBlock, const QString &title);

} // namespace html
