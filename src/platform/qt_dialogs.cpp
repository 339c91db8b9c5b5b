#include "platform/dialogs.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFormLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QSpinBox>

#include <functional>

namespace platform {
namespace {

QPointer<QWidget> g_parent;

QMessageBox::StandardButton toQt(Answer a) {
    switch (a) {
    case Answer::Ok:
        return QMessageBox::Ok;
    case Answer::Cancel:
        return QMessageBox::Cancel;
    case Answer::Abort:
        return QMessageBox::Abort;
    case Answer::Retry:
        return QMessageBox::Retry;
    case Answer::Ignore:
        return QMessageBox::Ignore;
    case Answer::Yes:
        return QMessageBox::Yes;
    case Answer::No:
        return QMessageBox::No;
    }
    return QMessageBox::NoButton;
}

Answer fromQt(int b) {
    switch (b) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Abort:
        return Answer::Abort;
    case QMessageBox::Retry:
        return Answer::Retry;
    case QMessageBox::Ignore:
        return Answer::Ignore;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

QString initialPath(const FileRequest &r) {
    if (r.fileName.isEmpty())
        return r.folder;
    if (QFileInfo(r.fileName).isAbsolute() || r.folder.isEmpty())
        return r.fileName;
    return QDir(r.folder).filePath(r.fileName);
}

FileAnswer runFileDialog(const FileRequest &r, QFileDialog::AcceptMode mode) {
    QFileDialog dlg(g_parent, r.title, QString());
    dlg.setAcceptMode(mode);
    dlg.setFileMode(mode == QFileDialog::AcceptOpen
                        ? (r.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile)
                        : QFileDialog::AnyFile);
    const QStringList filters = qtFilters(r.filter);
    if (!filters.isEmpty()) {
        dlg.setNameFilters(filters);
        const int idx = qBound(1, r.filterIndex, int(filters.size())) - 1;
        dlg.selectNameFilter(filters.at(idx));
    }
    const QString start = initialPath(r);
    const QFileInfo fi(start);
    if (!start.isEmpty()) {
        if (fi.isDir()) {
            dlg.setDirectory(start);
        } else {
            dlg.setDirectory(fi.absolutePath());
            dlg.selectFile(fi.fileName());
        }
    }
    FileAnswer answer;
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return answer;
    answer.accepted = true;
    answer.path = dlg.selectedFiles().constFirst();
    answer.filterIndex = filters.indexOf(dlg.selectedNameFilter()) + 1;
    if (answer.filterIndex < 1)
        answer.filterIndex = 1;
    return answer;
}

class QtDialogs final : public Dialogs {
public:
    Answer message(const QString &text, Buttons buttons, Icon icon, const QString &title,
                   Answer defaultAnswer) override {
        QMessageBox box(g_parent);
        box.setWindowTitle(title.isEmpty() ? appTitle() : title);
        box.setText(text);
        switch (icon) {
        case Icon::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
        case Icon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case Icon::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case Icon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case Icon::None:
            break;
        }
        QMessageBox::StandardButtons std;
        switch (buttons) {
        case Buttons::Ok:
            std = QMessageBox::Ok;
            break;
        case Buttons::OkCancel:
            std = QMessageBox::Ok | QMessageBox::Cancel;
            break;
        case Buttons::AbortRetryIgnore:
            std = QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
            break;
        case Buttons::YesNoCancel:
            std = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
            break;
        case Buttons::YesNo:
            std = QMessageBox::Yes | QMessageBox::No;
            break;
        }
        box.setStandardButtons(std);
        if (std.testFlag(toQt(defaultAnswer)))
            box.setDefaultButton(toQt(defaultAnswer));
        const int r = box.exec();
        // Closing a box that has no Cancel button counts as its only or last choice.
        if (buttons == Buttons::Ok)
            return Answer::Ok;
        if (buttons == Buttons::YesNo && r != QMessageBox::Yes)
            return Answer::No;
        return fromQt(r);
    }

    bool input(const QString &prompt, const QString &title, QString &text) override {
        bool ok = false;
        const QString answer = QInputDialog::getText(g_parent, title.isEmpty() ? appTitle() : title,
                                                     prompt, QLineEdit::Normal, text, &ok);
        if (ok)
            text = answer;
        return ok;
    }

    FileAnswer openFile(const FileRequest &request) override {
        return runFileDialog(request, QFileDialog::AcceptOpen);
    }
    FileAnswer saveFile(const FileRequest &request) override {
        return runFileDialog(request, QFileDialog::AcceptSave);
    }

    QString chooseFolder(const QString &title, const QString &folder) override {
        return QFileDialog::getExistingDirectory(g_parent, title, folder);
    }

    bool chooseColor(const QString &title, QColor &color) override {
        const QColor c = QColorDialog::getColor(color, g_parent, title);
        if (!c.isValid())
            return false;
        color = c;
        return true;
    }

    bool chooseFont(const QString &title, QFont &font) override {
        bool ok = false;
        const QFont f = QFontDialog::getFont(&ok, font, g_parent, title);
        if (ok)
            font = f;
        return ok;
    }

    PrintAnswer print(const PrintRequest &request) override {
        QPrinter fallback;
        QPrinter *printer = request.printer ? request.printer : &fallback;
        QPrintDialog dlg(printer, g_parent);
        QPrintDialog::PrintDialogOptions options = QPrintDialog::PrintShowPageSize;
        if (!request.setupOnly)
            options |= QPrintDialog::PrintPageRange | QPrintDialog::PrintCollateCopies;
        dlg.setOptions(options);
        if (request.setupOnly)
            dlg.setWindowTitle(QStringLiteral("プリンタの設定"));
        printer->setCopyCount(request.copies);
        dlg.setMinMax(1, qMax(1, request.maxPage));
        dlg.setFromTo(request.fromPage, request.toPage);
        PrintAnswer answer;
        if (dlg.exec() != QDialog::Accepted)
            return answer;
        answer.accepted = true;
        answer.printerName = printer->printerName();
        answer.copies = printer->copyCount();
        const bool range = printer->printRange() == QPrinter::PageRange && printer->fromPage() > 0;
        answer.fromPage = range ? printer->fromPage() : 1;
        answer.toPage = range ? printer->toPage() : request.maxPage;
        return answer;
    }

    bool form(const QString &title, QList<FormField> &fields) override {
        QDialog dlg(g_parent);
        dlg.setWindowTitle(title.isEmpty() ? appTitle() : title);
        auto *layout = new QFormLayout(&dlg);
        QList<std::function<QVariant()>> readers;
        for (const FormField &field : std::as_const(fields)) {
            QWidget *editor = nullptr;
            std::function<QVariant()> read = [value = field.value] { return value; };
            if (field.readOnly) {
                editor = new QLabel(field.value.toString(), &dlg);
            } else if (!field.choices.isEmpty()) {
                auto *box = new QComboBox(&dlg);
                box->addItems(field.choices);
                box->setCurrentIndex(field.value.toInt());
                read = [box] { return QVariant(box->currentIndex()); };
                editor = box;
            } else if (field.value.userType() == QMetaType::Double) {
                auto *spin = new QDoubleSpinBox(&dlg);
                spin->setDecimals(field.decimals);
                spin->setRange(field.minimum, field.maximum);
                spin->setValue(field.value.toDouble());
                read = [spin] { return QVariant(spin->value()); };
                editor = spin;
            } else if (field.value.userType() == QMetaType::Int) {
                auto *spin = new QSpinBox(&dlg);
                spin->setRange(int(field.minimum), int(field.maximum));
                spin->setValue(field.value.toInt());
                read = [spin] { return QVariant(spin->value()); };
                editor = spin;
            } else {
                auto *line = new QLineEdit(field.value.toString(), &dlg);
                read = [line] { return QVariant(line->text()); };
                editor = line;
            }
            layout->addRow(field.label, editor);
            readers.append(read);
        }
        auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dlg);
        QObject::connect(buttons, &QDialogButtonBox::accepted, &dlg, &QDialog::accept);
        QObject::connect(buttons, &QDialogButtonBox::rejected, &dlg, &QDialog::reject);
        layout->addRow(buttons);
        if (dlg.exec() != QDialog::Accepted)
            return false;
        for (qsizetype i = 0; i < fields.size(); ++i)
            fields[i].value = readers.at(i)();
        return true;
    }
};

std::unique_ptr<Dialogs> &instance() {
    static std::unique_ptr<Dialogs> d = std::make_unique<QtDialogs>();
    return d;
}

} // namespace

bool Dialogs::form(const QString &, QList<FormField> &) {
    return false;
}

Dialogs &dialogs() {
    return *instance();
}

std::unique_ptr<Dialogs> setDialogs(std::unique_ptr<Dialogs> replacement) {
    std::unique_ptr<Dialogs> previous = std::move(instance());
    instance() = std::move(replacement);
    return previous;
}

void setDialogParent(QWidget *parent) {
    g_parent = parent;
}

QWidget *dialogParent() {
    return g_parent;
}

DialogParentScope::DialogParentScope(QWidget *window) : m_previous(g_parent) {
    g_parent = window;
}

DialogParentScope::~DialogParentScope() {
    g_parent = m_previous;
}

QString appTitle() {
    return QStringLiteral("drJvo");
}

QStringList qtFilters(const QString &filter) {
    QStringList out;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString desc = parts.at(i);
        QString patterns = parts.at(i + 1);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        out << desc + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return out;
}

} // namespace platform
