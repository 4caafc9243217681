// The Qt side of the platform: the widgets behind the controls and the data
// behind a picture. Only platform sources, tests and tools include this header.
#pragma once

#include "controls.h"
#include "form.h"
#include "picture.h"

#include <QImage>
#include <QPushButton>
#include <QWidget>

#include <vector>

class QEventLoop;
class QMenuBar;

namespace platform::detail {

struct PictureData {
    explicit PictureData(QImage image) : image(std::move(image)) {}

    // The picture drawn at its own size.
    const QImage& natural(qreal devicePixelRatio) const;
    // The picture smoothly scaled to a size, made once per size and kept with the
    // picture, so that a redraw only copies pixels.
    const QImage& scaledTo(QSize logicalSize, qreal devicePixelRatio) const;

    QImage image;

private:
    struct Rendition {
        QSize deviceSize;
        QImage image;
    };
    mutable std::vector<Rendition> renditions_;
};

QSize pixels(const Rect& twips);
QRect pixelRect(const Rect& twips);
QFont qtFont(const Font& font);
QColor qtColor(const Color& color);

class ControlWidget : public QWidget {
public:
    using QWidget::QWidget;
};

class ImageWidget final : public ControlWidget {
public:
    ImageWidget(QWidget* parent, const ImageDescription& description);
    const PictureRef& picture() const { return picture_; }
    void setPicture(PictureRef picture);
    void setControl(Image* control) { control_ = control; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Image* control_ = nullptr;
    PictureRef picture_;
    bool stretch_;
    int border_;
};

class TextWidget final : public ControlWidget {
public:
    TextWidget(QWidget* parent, const TextDescription& description);
    void setText(const std::string& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    std::optional<QColor> foreground_;
    std::optional<QColor> background_;
    int flags_;
};

class ButtonWidget final : public ControlWidget {
public:
    ButtonWidget(QWidget* parent, const ButtonDescription& description);
    void setControl(CommandButton* control) { control_ = control; }
    QPushButton* button() const { return button_; }

private:
    CommandButton* control_ = nullptr;
    QPushButton* button_;
};

class LineWidget final : public ControlWidget {
public:
    LineWidget(QWidget* parent, const LineDescription& description);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_;
    QLine line_;
};

// The client area: the background colour and picture under the controls.
class ClientWidget final : public QWidget {
public:
    ClientWidget(QWidget* parent, const FormDescription& description);
    void setBackground(PictureRef picture) { background_ = std::move(picture); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PictureRef background_;
    QColor backColor_;
};

class FormWidget final : public QWidget {
public:
    FormWidget(Form& form, const FormDescription& description);
    ClientWidget* client() const { return client_; }
    QMenuBar* menuBar() const { return menuBar_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Form& form_;
    QMenuBar* menuBar_ = nullptr;
    ClientWidget* client_;
};

// What exists only while a window is loaded.
struct LoadedForm {
    ~LoadedForm();
    FormWidget* widget = nullptr;
    std::vector<std::unique_ptr<Control>> controls;
    std::vector<std::unique_ptr<PictureBox>> stores;
    std::vector<std::unique_ptr<Timer>> timers;
    QEventLoop* modalLoop = nullptr;
};

}  // namespace platform::detail

namespace platform {
// For tests and tools: the Qt widgets behind a window and a control.
inline QWidget* qtWidget(const Form& form) { return form.widget(); }
QWidget* qtClientArea(const Form& form);
inline QWidget* qtWidget(const Control& control) { return control.widget(); }
}  // namespace platform
