#pragma once

#include <QString>

namespace platform {
class TextSurface;
}

namespace editor_dialog {

// Find and replace on a document surface. Remembers the last found position and search text,
// which the replace button checks before it replaces the selection.
class FindReplace {
public:
    explicit FindReplace(platform::TextSurface &surface) : m_surface(surface) {}

    // Each answers the position found, or -1; a hit is selected.
    int findFromStart(const QString &text, bool matchCase);
    int findBackward(const QString &text, bool matchCase);
    int findForward(const QString &text, bool matchCase);

    // Replaces the selection when it is the last found text, then finds the next occurrence.
    // Answers whether it replaced.
    bool replace(const QString &text, const QString &replacement, bool matchCase);
    // Replaces every occurrence from the start as one undo step; answers how many. Searching
    // goes on after each replacement, so a replacement containing the text ends too.
    int replaceAll(const QString &text, const QString &replacement, bool matchCase);

    int lastPosition() const { return m_lastPosition; }
    QString lastText() const { return m_lastText; }

private:
    int find(const QString &text, int start, bool matchCase, bool backwards);

    platform::TextSurface &m_surface;
    int m_lastPosition = -1;
    QString m_lastText;
};

} // namespace editor_dialog
