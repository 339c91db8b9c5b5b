// An entry with a pasted photo, a text frame and an embedded file, saved as a PNG for the
// documentation (argument: the output file).
#include "editor/entry_points.h"
#include "editor/interface.h"
#include "platform/dialogs.h"
#include "platform/text/text_surface.h"
#include "platform/view/text_view.h"
#include "settings/app_values.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QPainter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

namespace {

// A landscape: sky, sun and hills, as a camera would give it (4000 x 3000).
QImage landscape() {
    QImage image(4000, 3000, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient sky(0, 0, 0, 1800);
    sky.setColorAt(0, QColor(70, 130, 210));
    sky.setColorAt(1, QColor(250, 200, 150));
    p.fillRect(image.rect(), sky);
    p.setBrush(QColor(255, 230, 120));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPoint(2900, 900), 300, 300);
    p.setBrush(QColor(60, 120, 60));
    p.drawEllipse(QRect(-800, 1700, 3600, 2600));
    p.setBrush(QColor(40, 95, 50));
    p.drawEllipse(QRect(1600, 1900, 3600, 2400));
    return image;
}

// Answers the file dialog of command 41 with one file.
class OneFile final : public platform::Dialogs {
public:
    explicit OneFile(QString path) : m_path(std::move(path)) {}
    platform::Answer message(const QString &, platform::Buttons, platform::Icon, const QString &,
                             platform::Answer a) override {
        return a;
    }
    bool input(const QString &, const QString &, QString &) override { return false; }
    platform::FileAnswer openFile(const platform::FileRequest &) override {
        return {true, m_path, 1};
    }
    platform::FileAnswer saveFile(const platform::FileRequest &) override { return {}; }
    QString chooseFolder(const QString &, const QString &) override { return {}; }
    bool chooseColor(const QString &, QColor &) override { return false; }
    bool chooseFont(const QString &, QFont &) override { return false; }
    platform::PrintAnswer print(const platform::PrintRequest &) override { return {}; }

private:
    QString m_path;
};

} // namespace

int main(int argc, char **argv) {
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QTemporaryDir work;
    settings::appValues().wrkDir = work.path() + u'/';
    const QString sheet = work.filePath(QStringLiteral("旅行の費用.ods"));
    {
        QFile f(sheet);
        f.open(QIODevice::WriteOnly);
        f.write("budget");
    }
    platform::setDialogs(std::make_unique<OneFile>(sheet));

    editor::uTxm editor;
    editor.setWindowTitle(QStringLiteral("drJvo"));
    editor.resize(1000, 900);
    editor.cOn(0, 0, true);
    editor.setTitle(QStringLiteral("山の写真"));
    editor.values().textFlow = 1;
    platform::TextSurface &s = editor.surface();
    s.setSelText(QStringLiteral("今日は山へ出かけた。頂上から見た景色:\n"));
    auto *data = new QMimeData;
    data->setImageData(landscape());
    QGuiApplication::clipboard()->setMimeData(data);
    editor.rtAct(15, QString());
    s.setSelStart(s.textLength());
    s.setSelText(QStringLiteral("\n費用の表を添付:"));
    editor.rtAct(41);
    s.setSelStart(s.textLength());
    s.setSelText(QStringLiteral("\n"));
    editor.rtAct(40);
    s.selectTextFrame(s.nextObject(0, platform::TextSurface::TextFrameObject));
    s.setSelText(QStringLiteral("次は秋に行きたい"));
    s.selectTextFrame(0);
    editor.view()->setViewMode(platform::TextView::NormalView);
    editor.view()->setZoom(70);
    editor.show();
    QTimer::singleShot(500, [&] {
        editor.grab().save(QString::fromLocal8Bit(argc > 1 ? argv[1] : "pictures.png"));
        app.quit();
    });
    return app.exec();
}
