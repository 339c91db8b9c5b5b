// A stand-in companion for the launcher tests: reads the parameter file named on its command
// line and, as DRJVO_COMPANION_MODE says, writes a PNG and the result fields ("ok"), writes
// nothing ("none") or never ends ("hang").
#include "launcher/param_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QThread>

int main(int argc, char **argv) {
    if (argc != 2)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    const QByteArray mode = qgetenv("DRJVO_COMPANION_MODE");
    if (mode == "hang")
        QThread::sleep(120);
    if (mode != "ok")
        return 0;
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return 3;
    const QByteArray record = file.readAll();
    const bool picture = QFileInfo(path).fileName() == QStringLiteral("PT_HT.pdat");
    launcher::PictureParams pic;
    launcher::GraphParams graph;
    if (picture ? !launcher::decodePicture(record, pic) : !launcher::decodeGraph(record, graph))
        return 4;
    const QString folder = picture ? pic.folder : graph.folder;
    QImage image(picture && pic.width > 0 ? pic.width : 64,
                 picture && pic.height > 0 ? pic.height : 32, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QString made = QDir(folder).filePath(QStringLiteral("made.png"));
    if (!image.save(made, "PNG"))
        return 5;
    QByteArray out;
    if (picture) {
        pic.file = made;
        pic.ok = 1;
        out = launcher::encodePicture(pic);
    } else {
        // A chart edit answers with the file it was given, as a new version beside it.
        graph.file = graph.file.isEmpty() ? made : graph.file + QStringLiteral(".new.png");
        if (graph.file != made)
            QFile::copy(made, graph.file);
        graph.ok = 1;
        out = launcher::encodeGraph(graph);
    }
    file.seek(0);
    file.write(out);
    return 0;
}
