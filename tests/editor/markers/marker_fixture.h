#pragma once

#include "editor/entry_points.h"
#include "editor_fixture.h"
#include "preview/page_source.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QQueue>
#include <QStringList>

namespace editortest {

// A paint device that keeps the text drawn on it, so that a test reads a rendered page.
class TextRecorder final : public QPaintDevice {
public:
    QString text() const { return m_engine.texts.join(QString()); }

    QPaintEngine *paintEngine() const override { return &m_engine; }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
            return 794;
        case PdmHeight:
            return 1123;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmWidthMM:
            return 210;
        case PdmHeightMM:
            return 297;
        case PdmNumColors:
            return 256;
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    class Engine final : public QPaintEngine {
    public:
        Engine() : QPaintEngine(QPaintEngine::AllFeatures) {}
        QStringList texts;
        bool begin(QPaintDevice *) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState &) override {}
        void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
        void drawTextItem(const QPointF &, const QTextItem &item) override { texts << item.text(); }
        void drawPath(const QPainterPath &) override {}
        void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
        Type type() const override { return QPaintEngine::User; }
    };
    mutable Engine m_engine;
};

// Entry points of the settings dialog's link page and of the print preview, scripted: the link
// page answers from a queue and records what it was opened with; a previewed surface has its
// pages drawn and their text kept.
class ScriptedEntryPoints final : public editor::EntryPoints {
public:
    QQueue<QString> linkAnswers;
    QStringList pagesOpened; // page code, a space, the answer given
    QStringList previewedPages;
    QByteArray documentToOpen; // what the open dialog loads (format 9), empty: cancelled
    int opened = 0;

    bool openDocument(editor::uTxm &editor, bool) override {
        ++opened;
        return !documentToOpen.isEmpty() &&
               editor.surface().loadFromMemory(documentToOpen, platform::TextSurface::Word97);
    }

    bool settingsPage(editor::uTxm &, const QString &page, QString &answer) override {
        pagesOpened << page + u' ' + answer;
        answer = linkAnswers.isEmpty() ? QString() : linkAnswers.dequeue();
        return false;
    }
    bool previewSurface(editor::uTxm &, platform::TextSurface &surface) override {
        preview::SurfacePages pages(surface);
        for (int n = 1; n <= pages.pageCount(); ++n) {
            TextRecorder recorder;
            QPainter painter(&recorder);
            pages.drawPage(&painter, n, QRectF(0, 0, 794, 1123));
            painter.end();
            previewedPages << recorder.text();
        }
        return false;
    }
};

// An editor with the scripted entry points.
class MarkerEditorTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        auto scripted = std::make_unique<ScriptedEntryPoints>();
        entryPoints = scripted.get();
        editor->setEntryPoints(std::move(scripted));
    }
    // Appends text at the end of the document.
    void append(const QString &text) {
        surface().select(surface().textLength(), 0);
        type(text);
    }
    // Selects the first occurrence of text.
    void selectText(const QString &text) {
        const int at = int(surface().text().indexOf(text));
        ASSERT_GE(at, 0) << text.toStdString();
        surface().select(at, int(text.size()));
    }
    // Puts the caret inside the first occurrence of text.
    void caretIn(const QString &text) {
        const int at = int(surface().text().indexOf(text));
        ASSERT_GE(at, 0) << text.toStdString();
        surface().select(at + 1, 0);
    }
    // The link made on the selection with the answer of the link page.
    int makeLink(const QString &answer) {
        entryPoints->linkAnswers.enqueue(answer);
        editor->rtAct(50);
        return surface().currentField();
    }

    ScriptedEntryPoints *entryPoints = nullptr;
};

} // namespace editortest
