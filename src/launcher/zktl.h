#pragma once

#include <QString>
#include <array>

namespace launcher {

// Starts the maker's companion programs (picture, graph, chart, ...) and waits for them. Each is
// found by its remembered path (the shared tool-path store), by a search of the neighbouring
// install folders, or by the user's choice, and talks to us through a parameter file in the
// work folder that it reads and fills in.
class zKtl {
public:
    struct Companion {
        QString name;
        QString label;
    };
    static constexpr int kCount = 6;
    static const Companion &companion(int index);
    // The executable's file name: the program name (".exe" on Windows).
    static QString executableName(int index);

    // programFolder: where this program's executable lives (its parent folders are searched).
    explicit zKtl(const QString &programFolder);

    QString path(int index) const { return m_paths.at(index); }
    bool bChkApp(int iNdx);
    // Whether the companion is there without asking the user (remembered or in a neighbouring
    // install folder).
    bool installed(int index) const;

    void ActPic(int iTy, const QString &sPh, QString &sFL, qint32 gWd, qint32 gHi, bool &bGf,
                bool &bOk);
    void ActGrph(const QString &sPh, QString &sFL, bool &bOk);
    void ActChrt(const QString &sPh, QString &sFL, bool &bOk);

private:
    QString searchFolders(int index) const;
    // Writes record to file, runs the companion on it and reads the file back; false when the
    // file could not be written, the companion could not start or the user cancelled it.
    bool run(int index, const QString &file, const QByteArray &record, QByteArray &result);

    QString m_programFolder;
    std::array<QString, kCount> m_paths;
};

} // namespace launcher
