#include "controls.h"

#include "form.h"
#include "qt_internal.h"

#include <QResource>
#include <QFontDatabase>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

namespace platform {

namespace detail {

QSize pixels(const Rect& twips) { return {twips.width / twipsPerPixel, twips.height / twipsPerPixel}; }

QRect pixelRect(const Rect& twips)
{
    return {twips.left / twipsPerPixel, twips.top / twipsPerPixel, twips.width / twipsPerPixel,
            twips.height / twipsPerPixel};
}

namespace {

// The faces stored with the program, by the family and weight the windows ask for:
// freely licensed faces with the metrics of those families.
struct StoredFace {
    const char* family;
    bool bold;
    const char* file;
    const char* storedFamily;  // the family name inside the file
};
constexpr std::array<StoredFace, 4> storedFaces{{
    {"Tahoma", false, "tahoma.ttf", "Tahoma"},
    {"Tahoma", true, "tahomabd.ttf", "Tahoma"},
    {"Verdana", false, "Veranda.ttf", "Veranda"},
    {"Verdana", true, "VerandaBd.ttf", "Veranda"},
}};

// Registers a stored face the first time a window asks for it, so that start-up
// never pays for a face that no control shows.
void registerStoredFace(const Font& font)
{
    static std::array<bool, storedFaces.size()> registered{};
    for (std::size_t i = 0; i < storedFaces.size(); ++i) {
        const StoredFace& face = storedFaces[i];
        if (registered[i] || font.family != face.family || font.bold != face.bold) continue;
        registered[i] = true;
        // Stored uncompressed, the face is read where it lies in the program.
        const QResource resource(QStringLiteral(":/assets/fonts/") + QLatin1String(face.file));
        QFontDatabase::addApplicationFontFromData(resource.uncompressedData());
        if (std::string_view(face.storedFamily) != face.family)
            QFont::insertSubstitution(QLatin1String(face.family), QLatin1String(face.storedFamily));
    }
}

}  // namespace

QFont qtFont(const Font& font)
{
    registerStoredFace(font);
    QFont f(QString::fromStdString(font.family));
    // Point sizes are those of a 96 dpi screen, so the text keeps its size in pixels
    // on every screen.
    f.setPixelSize(static_cast<int>(std::lround(font.points * 96.0 / 72.0)));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    return f;
}

QColor qtColor(const Color& color) { return QColor(color.red, color.green, color.blue); }

ImageWidget::ImageWidget(QWidget* parent, const ImageDescription& description)
    : ControlWidget(parent), stretch_(description.stretch), border_(description.border)
{
    setGeometry(pixelRect(description.place));
    if (description.pointer == Pointer::UpArrow) setCursor(Qt::UpArrowCursor);
}

void ImageWidget::setPicture(PictureRef picture)
{
    if (picture == picture_) return;
    picture_ = std::move(picture);
    // A picture that covers the whole control hides what lies beneath it, which
    // then need not be painted first.
    const bool covers = picture_ && (stretch_ || picture_->data().image.size() == size() - QSize(2 * border_, 2 * border_));
    setAttribute(Qt::WA_OpaquePaintEvent, covers);
    update();
}

void ImageWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect inside = rect().adjusted(border_, border_, -border_, -border_);
    if (picture_) {
        const PictureData& data = picture_->data();
        const qreal ratio = devicePixelRatioF();
        if (stretch_)
            painter.drawImage(inside.topLeft(), data.scaledTo(inside.size(), ratio));
        else
            painter.drawImage(inside.topLeft(), data.natural(ratio));
    }
    if (border_ > 0) {
        const QColor frame(96, 96, 96);
        painter.fillRect(QRect(0, 0, width(), border_), frame);
        painter.fillRect(QRect(0, height() - border_, width(), border_), frame);
        painter.fillRect(QRect(0, 0, border_, height()), frame);
        painter.fillRect(QRect(width() - border_, 0, border_, height()), frame);
    }
}

void ImageWidget::mousePressEvent(QMouseEvent* event) { event->accept(); }

void ImageWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && control_)
        control_->click();
}

TextWidget::TextWidget(QWidget* parent, const TextDescription& description) : ControlWidget(parent)
{
    setGeometry(pixelRect(description.place));
    if (description.font) setFont(qtFont(*description.font));
    if (description.foreground) foreground_ = qtColor(*description.foreground);
    if (description.background) background_ = qtColor(*description.background);
    flags_ = description.alignment == Alignment::Centre ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop;
    if (description.wordWrap) flags_ |= Qt::TextWordWrap;
    setAttribute(Qt::WA_TransparentForMouseEvents);
    text_ = QString::fromStdString(description.text);
}

void TextWidget::setText(const std::string& text)
{
    text_ = QString::fromStdString(text);
    update();
}

void TextWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (background_) painter.fillRect(rect(), *background_);
    painter.setPen(foreground_ ? *foreground_ : palette().color(QPalette::WindowText));
    painter.drawText(rect(), flags_, text_);
}

ButtonWidget::ButtonWidget(QWidget* parent, const ButtonDescription& description)
    : ControlWidget(parent), button_(new QPushButton(QString::fromStdString(description.caption), this))
{
    setGeometry(pixelRect(description.place));
    button_->setGeometry(rect());
    if (description.font) button_->setFont(qtFont(*description.font));
    button_->setAutoDefault(true);
    setFocusProxy(button_);
    QObject::connect(button_, &QPushButton::clicked, this, [this] {
        if (control_) control_->click();
    });
}

LineWidget::LineWidget(QWidget* parent, const LineDescription& d) : ControlWidget(parent), color_(qtColor(d.color))
{
    const QPoint from(d.x1 / twipsPerPixel, d.y1 / twipsPerPixel);
    const QPoint to(d.x2 / twipsPerPixel, d.y2 / twipsPerPixel);
    const QRect box = QRect(from, to).normalized();
    setGeometry(box);
    line_ = QLine(from - box.topLeft(), to - box.topLeft());
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(color_, 1));
    painter.drawLine(line_);
}

}  // namespace detail

Control::Control(detail::ControlWidget* widget, bool visible) : widget_(widget)
{
    widget_->setVisible(visible);
}

Control::~Control() = default;

bool Control::visible() const { return !widget_->isHidden(); }

void Control::setVisible(bool visible) { widget_->setVisible(visible); }

void Control::setEnabled(bool enabled) { enabled_ = enabled; }

void Control::Refresh()
{
    ++refreshes_;
    widget_->repaint();
}

Image::Image(detail::ImageWidget* widget, const ImageDescription& description)
    : Control(widget, description.visible)
{
    widget->setControl(this);
    if (!description.storedPicture.empty()) setPicture(StoredPicture(description.storedPicture));
}

Image::~Image() { static_cast<detail::ImageWidget*>(widget())->setControl(nullptr); }

const PictureRef& Image::picture() const { return static_cast<const detail::ImageWidget*>(widget())->picture(); }

void Image::setPicture(PictureRef picture) { static_cast<detail::ImageWidget*>(widget())->setPicture(std::move(picture)); }

void Image::click()
{
    if (!visible() || !enabled() || !onClick) return;
    const auto handler = onClick;  // the handler may unload the window and with it this control
    runHandler(handler);
}

TextBox::TextBox(detail::TextWidget* widget, const TextDescription& description)
    : Control(widget, true), text_(description.text)
{
}

void TextBox::setText(const std::string& text)
{
    text_ = text;
    static_cast<detail::TextWidget*>(widget())->setText(text);
}

CommandButton::CommandButton(detail::ButtonWidget* widget, const ButtonDescription& description)
    : Control(widget, true), caption_(description.caption)
{
    widget->setControl(this);
}

CommandButton::~CommandButton() { static_cast<detail::ButtonWidget*>(widget())->setControl(nullptr); }

bool CommandButton::hasFocus() const
{
    const QPushButton* button = static_cast<detail::ButtonWidget*>(widget())->button();
    return button->window()->focusWidget() == button;
}

void CommandButton::click()
{
    if (!visible() || !enabled() || !onClick) return;
    const auto handler = onClick;  // the handler may unload the window and with it this control
    runHandler(handler);
}

Line::Line(detail::ControlWidget* widget, const LineDescription& description)
    : Control(widget, true), description_(description)
{
}

}  // namespace platform
