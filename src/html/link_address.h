#pragma once

#include <QString>

namespace html {

// Rewrites the attributes of an anchor for the saved page: tag links ("#TG_…") point to their
// page file, "file:///" addresses become plain paths and relative addresses are joined to the
// base folder of the export. Tooltip anchors, web addresses and addresses with any other scheme
// or a "#" anchor keep their attributes. An address that runs script (javascript:, vbscript:,
// data:) is dropped with the anchor's attributes: the link keeps only its text.
QString rewriteLinkAttributes(const QString &attributes, const QString &baseAddress);

} // namespace html
