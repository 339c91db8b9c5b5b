#pragma once

#include <QDate>
#include <QDateTime>
#include <QFileDevice>
#include <QString>
#include <QStringList>
#include <concepts>
#include <limits>

namespace settings {

// Folders decided by W_UserData at start-up, each ending in "/".
struct UserFolders {
    QString appDir;     // folder of the executable
    QString tplDir;     // appDir + "apData/"
    QString defUserDir; // application data + "Brenvik/" + ExeBase + "/"
    QString userDir;    // the user data folder in use
};

// The settings store: the whole "User.xml" held as text, read and written by plain text search so
// that its layout stays exactly what other copies of the program expect. The file is Shift-JIS
// (CP932) with CR LF line ends. It also carries the user-folder and shell services.
class yIni {
public:
    // The line-break marker used while a piece of the file is assembled.
    static constexpr QChar LineMark = QChar(0x2021); // "‡"
    // "<?xml ...?>" CR LF "<運用>" CR LF "</運用>"
    static QString skeleton();

    // Loading and saving the file.
    void GetTxt(const QString &sFL, bool &bOk);
    void SetTxt(bool &bOk);
    // Removes the temporaries ("User.xml.XXXXXX") a killed SetTxt left beside sFL. Only for the
    // copy that holds the folder's lock.
    static void removeLeftovers(const QString &sFL);

    // Groups: GetGtx, then vGtVal / SetVal, then SetGtx when something was written.
    void GetGtx(const QString &sGp);
    void SetGtx();

    // Typed reads: the default's type decides how the stored text is read.
    QString vGtVal(const QString &sKy, const QString &vDef);
    QString vGtVal(const QString &sKy, const char *vDef);
    QString vGtVal(const QString &sKy, const char16_t *vDef);
    bool vGtVal(const QString &sKy, bool vDef);
    // Whole numbers: the numeric prefix rounded halves to even, held within the type's range.
    template <std::integral T>
    requires(!std::same_as<T, bool>) T vGtVal(const QString &sKy, T vDef) {
        return T(
            integerValue(sKy, vDef, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
    }
    double vGtVal(const QString &sKy, double vDef);
    QDate vGtVal(const QString &sKy, const QDate &vDef);
    QDateTime vGtVal(const QString &sKy, const QDateTime &vDef);

    // Writes the value's text form into the current group (memory only).
    void SetVal(const QString &sKy, const QString &vVL);
    void SetVal(const QString &sKy, const char *vVL);
    void SetVal(const QString &sKy, const char16_t *vVL);
    void SetVal(const QString &sKy, bool vVL);
    template <std::integral T>
    requires(!std::same_as<T, bool>) void SetVal(const QString &sKy, T vVL) {
        SetVal(sKy, QString::number(vVL));
    }
    void SetVal(const QString &sKy, double vVL);
    void SetVal(const QString &sKy, float vVL);
    void SetVal(const QString &sKy, const QDate &vVL);
    void SetVal(const QString &sKy, const QDateTime &vVL);

    // User data folder and shell services.
    UserFolders W_UserData(const QString &exeFile, const QString &exeBase);
    QString FsGtSpFld(int nFlg) const;
    void F_ChkSb(const QString &sPh, const QStringList &Ary) const;
    void F_CreateFld(const QString &sFd, QFileDevice::Permissions permissions = {}) const;
    void W_ExpFd(const QString &sFld, bool bOpn) const;

    const QString &fileName() const { return m_file; }
    const QString &document() const { return m_doc; }
    const QString &groupName() const { return m_group; }
    const QString &groupText() const { return m_groupText; }

private:
    QString storedText(const QString &sKy);
    qint64 integerValue(const QString &sKy, qint64 vDef, qint64 lowest, qint64 highest);
    QString innerText(const QString &searched, const QString &name, bool group) const;
    void damaged(const QString &name) const;
    QString freeBackupName() const;

    QString m_file;
    QString m_doc;
    QString m_group;
    QString m_groupText;
    bool m_unreadable = false; // the loaded file exists but could not be read or decoded
};

} // namespace settings
