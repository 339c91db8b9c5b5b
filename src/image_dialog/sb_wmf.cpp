#include "image_dialog/sb_wmf.h"

#include "image_dialog/wmf_layout.h"
#include "platform/dialogs.h"
#include "platform/imaging/imaging.h"

#include <QClipboard>
#include <QCursor>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>

#include <cmath>

namespace image_dialog {

namespace imaging = platform::imaging;

namespace {

sbWmf::Presenter &presenter() {
    static sbWmf::Presenter p = [](sbWmf &dialog) { return dialog.exec() == QDialog::Accepted; };
    return p;
}

// Image1: the picture stretched to its own size.
class PictureBox final : public QWidget {
public:
    using Draw = std::function<void(QPainter &, const QRect &)>;
    PictureBox(Draw draw, QWidget *parent) : QWidget(parent), m_draw(std::move(draw)) {}

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        m_draw(painter, rect());
    }

private:
    Draw m_draw;
};

} // namespace

sbWmf::sbWmf(QWidget *parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("ｻｲｽﾞを確定してﾗｽﾀﾃﾞｰﾀｰに変換します"));
    setObjectName(QStringLiteral("sbWmf"));
    m_ok = new QPushButton(QStringLiteral("Ok(&O)"), this);
    m_cancel = new QPushButton(QStringLiteral("Cancel(&C)"), this);
    connect(m_ok, &QPushButton::clicked, this, [this] { okClicked(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        m_result = false;
        reject();
    });
    m_ok->setDefault(true);
}

sbWmf::~sbWmf() = default;

sbWmf::Presenter sbWmf::setPresenter(Presenter p) {
    Presenter previous = presenter();
    presenter() =
        p ? std::move(p) : [](sbWmf &dialog) { return dialog.exec() == QDialog::Accepted; };
    return previous;
}

double sbWmf::twipsPerPixel() const {
    const QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen();
    const double dpi = s ? s->logicalDotsPerInchX() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

void sbWmf::Act(const QString &sFw, const QString &sFp, int nMaxWd, bool &bOk) {
    QFile file(sFw);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly) && file.size() <= imaging::kMaxEncodedBytes)
        bytes = file.readAll();
    auto svg = std::make_unique<QSvgRenderer>(bytes);
    if (svg->isValid() && !imaging::svgSize(bytes).isEmpty()) {
        m_svg = std::move(svg);
    } else {
        m_svg.reset();
        m_picture = imaging::load(bytes).image;
    }
    bOk = present(sFp, nMaxWd);
}

void sbWmf::ActCp(const QString &sFp, int nMaxWd, bool &bOk) {
    bOk = run(imaging::clipboardSvg(QGuiApplication::clipboard()->mimeData()), sFp, nMaxWd);
}

bool sbWmf::run(const QByteArray &svg, const QString &sFp, int nMaxWd) {
    m_picture = QImage();
    m_svg = std::make_unique<QSvgRenderer>(svg);
    if (!m_svg->isValid() || imaging::svgSize(svg).isEmpty()) {
        m_svg.reset();
        return false;
    }
    return present(sFp, nMaxWd);
}

bool sbWmf::present(const QString &sFp, int nMaxWd) {
    const QSize pixels = m_svg ? m_svg->defaultSize().isEmpty() ? m_svg->viewBoxF().size().toSize()
                                                                : m_svg->defaultSize()
                               : m_picture.size();
    if (pixels.isEmpty())
        return false;
    m_output = sFp;
    m_result = false;
    m_settingUp = true;
    if (!m_image1)
        m_image1 = new PictureBox(
            [this](QPainter &painter, const QRect &rect) { drawPicture(painter, rect); }, this);
    const double tpp = twipsPerPixel();
    const QWidget *main = platform::dialogParent() ? platform::dialogParent()->window() : nullptr;
    const QRect area = main ? main->frameGeometry()
                            : (screen() ? screen()->availableGeometry() : QRect(0, 0, 1600, 1000));
    auto twips = [tpp](int px) { return int(std::lround(px * tpp)); };
    const WmfLayout layout = wmfLayout(
        QSize(twips(pixels.width()), twips(pixels.height())), nMaxWd,
        QPoint(twips(QCursor::pos().x()), twips(QCursor::pos().y())),
        QRect(twips(area.left()), twips(area.top()), twips(area.width()), twips(area.height())));
    if (!layout.message.isEmpty())
        platform::dialogs().message(layout.message);
    auto px = [tpp](int tw) { return int(std::lround(tw / tpp)); };
    setGeometry(px(layout.window.left()), px(layout.window.top()), px(layout.window.width()),
                px(layout.window.height()));
    resize(px(layout.window.width()), px(layout.window.height()));
    m_image1->setGeometry(0, 0, px(layout.picture.width()), px(layout.picture.height()));
    m_settingUp = false;
    placeControls();
    m_ok->setFocus();
    presenter()(*this);
    return m_result;
}

void sbWmf::resizeEvent(QResizeEvent *event) {
    QDialog::resizeEvent(event);
    if (!m_settingUp)
        placeControls();
}

void sbWmf::placeControls() {
    if (!m_image1)
        return;
    const double tpp = twipsPerPixel();
    const QSize window(int(std::lround(width() * tpp)), int(std::lround(height() * tpp)));
    const QSize picture = pictureForWindow(window);
    m_image1->setGeometry(0, 0, int(std::lround(picture.width() / tpp)),
                          int(std::lround(picture.height() / tpp)));
    const QSize button = m_ok->sizeHint().expandedTo(QSize(90, 26));
    const int top = height() - 4 - button.height();
    const int bw = int(std::lround(button.width() * tpp));
    m_ok->setGeometry(int(std::lround((window.width() - 2 * bw - 320) / tpp)), top, button.width(),
                      button.height());
    m_cancel->setGeometry(int(std::lround((window.width() - bw - 260) / tpp)), top, button.width(),
                          button.height());
}

void sbWmf::drawPicture(QPainter &painter, const QRect &rect) const {
    painter.fillRect(rect, Qt::white);
    if (m_svg)
        m_svg->render(&painter, rect);
    else if (!m_picture.isNull())
        painter.drawImage(rect, m_picture);
}

QSize sbWmf::shownSize() const {
    return m_image1 ? m_image1->size() : QSize();
}

bool sbWmf::okClicked() {
    // The picture follows the window, also when a resize has not been delivered yet.
    placeControls();
    m_result = true;
    const QSize size = shownSize();
    if (size.isEmpty()) {
        m_result = false;
        return false;
    }
    QImage image(size, QImage::Format_RGB888);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::Antialiasing);
    drawPicture(painter, image.rect());
    painter.end();
    imaging::set96Dpi(image);
    m_result = imaging::writeFile(imaging::encode(image, "PNG"), m_output);
    if (m_result)
        accept();
    return m_result;
}

} // namespace image_dialog
