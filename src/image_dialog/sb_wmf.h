#pragma once

#include <QByteArray>
#include <QDialog>
#include <QImage>
#include <QPushButton>
#include <QString>
#include <functional>
#include <memory>

class QPainter;
class QSvgRenderer;

namespace image_dialog {

// The window that shows a drawing or a picture at the size it will have in the document, lets
// the user resize it, and on "Ok(&O)" writes it rasterised at 96 dpi to the output file.
class sbWmf : public QDialog {
    Q_OBJECT
public:
    explicit sbWmf(QWidget *parent = nullptr);
    ~sbWmf() override;

    // A picture or SVG file.
    void Act(const QString &sFw, const QString &sFp, int nMaxWd, bool &bOk);
    // The drawing on the clipboard.
    void ActCp(const QString &sFp, int nMaxWd, bool &bOk);
    // SVG bytes, for the editor's paths that already hold them.
    bool run(const QByteArray &svg, const QString &sFp, int nMaxWd);

    // The picture's shown size in pixels.
    QSize shownSize() const;
    // "Ok(&O)": writes the shown picture; the window closes only when that worked.
    bool okClicked();

    QPushButton *cmRet(int index) const { return index == 0 ? m_ok : m_cancel; }

    // How the window is shown: exec() in the program; tests put a script in its place.
    using Presenter = std::function<bool(sbWmf &)>;
    static Presenter setPresenter(Presenter presenter);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    bool present(const QString &sFp, int nMaxWd);
    void placeControls();
    double twipsPerPixel() const;
    void drawPicture(QPainter &painter, const QRect &rect) const;

    std::unique_ptr<QSvgRenderer> m_svg;
    QImage m_picture;
    QWidget *m_image1 = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    QString m_output;
    bool m_result = false;
    bool m_settingUp = false;
};

} // namespace image_dialog
