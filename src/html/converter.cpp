#include "html/converter.h"

#include "html/image_folder.h"
#include "html/page_writer.h"
#include "html/token_rules.h"
#include "html/tokenizer.h"
#include "settings/user_styles.h"

namespace html {
namespace {

HtmStatus failure(HtmError error, const QString &message) {
    return {error, message};
}

} // namespace

QString baseAddressOf(const QString &exported) {
    const QLatin1String key("base href=\"");
    const qsizetype at = exported.indexOf(key);
    if (at < 0)
        return {};
    const qsizetype from = at + key.size();
    qsizetype end = exported.indexOf(u'"', from);
    if (end < 0)
        end = exported.size();
    return exported.mid(from, end - from);
}

ConvertedPage convertPage(const QString &exported, const PageContext &context,
                          const settings::UserStyleTable &styles) {
    ConvertedPage page;
    const qsizetype headEnd = exported.indexOf(QLatin1String("</head>"));
    const qsizetype bodyAt =
        exported.indexOf(QLatin1String("<body"), headEnd < 0 ? 5 : headEnd + 6);
    if (bodyAt < 0) {
        page.status =
            failure(HtmError::NoBody,
                    QStringLiteral("HTMLの本文(<body>)が見つかりません: ") + context.fileName);
        return page;
    }

    TokenizerContext tokenizer;
    tokenizer.bodyFont = styles.styles[settings::Body].fontName;
    tokenizer.lineSpacingFactor = styles.lineSpacingFactor;
    tokenizer.baseAddress = baseAddressOf(exported);

    const QString body = rewriteImageSources(exported.mid(bodyAt), context.fileName);
    TokenList tokens;
    if (!tokenizeBody(body, tokenizer, tokens)) {
        page.status = failure(HtmError::Overflow, QStringLiteral("オーバーフローしました。"));
        return page;
    }
    convertTooltipLinks(tokens, context.tooltipTable, tooltipStyle(styles));
    moveAttributesIntoStyles(tokens);
    dropEmptyElements(tokens);
    recogniseHeadings(tokens, styles);
    assignLevels(tokens);
    const std::vector<ClassRule> rules = generateClasses(tokens);

    page.body = serializeBody(tokens);
    page.styleBlock = styleBlock(styles, rules);
    page.head = pageHead(page.styleBlock, context.title);
    page.body.replace(QChar(0x2177), QChar(0x3000));
    return page;
}

} // namespace html
