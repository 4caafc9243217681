// The controls of a window, placed and sized in twips (15 twips to a pixel) as the
// windows' stored descriptions give them.
#pragma once

#include "picture.h"

#include <functional>
#include <optional>
#include <string>

namespace platform {

namespace detail {
class ControlWidget;
class ImageWidget;
class TextWidget;
class ButtonWidget;
}  // namespace detail

constexpr int twipsPerPixel = 15;

struct Rect {  // twips
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct Color {
    int red = 0;
    int green = 0;
    int blue = 0;
};

struct Font {
    std::string family{};
    double points = 8.25;
    bool bold = false;
    bool italic = false;
};

enum class Pointer { Default, UpArrow };

// What every visible control has: a place, visibility, enabled state, a repaint.
class Control {
public:
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // Whether the control is shown when its window is; its widget keeps it.
    bool visible() const;
    void setVisible(bool visible);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    // Draws the control again at once.
    void Refresh();
    // How many times Refresh() ran; tests read it.
    long refreshCount() const { return refreshes_; }

    detail::ControlWidget* widget() const { return widget_; }

protected:
    Control(detail::ControlWidget* widget, bool visible);

private:
    detail::ControlWidget* widget_;  // owned by the window's widget tree
    bool enabled_ = true;
    long refreshes_ = 0;
};

struct ImageDescription {
    Rect place{};
    bool stretch = false;
    int border = 0;  // the width in pixels of a frame inside the control, 0 for none
    bool visible = true;
    std::string storedPicture{};  // artwork stored with the window, "" for none
    Pointer pointer = Pointer::Default;
};

// An image control: shows a shared picture; a click is delivered only while it is
// visible and enabled.
class Image : public Control {
public:
    Image(detail::ImageWidget* widget, const ImageDescription& description);
    ~Image() override;

    // The picture the control shows; its widget holds it.
    const PictureRef& picture() const;
    void setPicture(PictureRef picture);

    std::function<void()> onClick;
    // The click as the platform delivers it, from the mouse or from a test.
    void click();
};

// A hidden picture store: holds a picture and never shows.
class PictureBox {
public:
    const PictureRef& picture() const { return picture_; }
    void setPicture(PictureRef picture) { picture_ = std::move(picture); }

private:
    PictureRef picture_;
};

enum class Alignment { Left, Centre };

struct TextDescription {
    Rect place{};
    std::string text{};
    std::optional<Font> font{};  // none: the window's font
    std::optional<Color> foreground{};
    std::optional<Color> background{};  // none: transparent
    Alignment alignment = Alignment::Left;
    bool wordWrap = false;
};

// A text box that never takes input, or a label. Shows its text in its font and colours.
class TextBox : public Control {
public:
    TextBox(detail::TextWidget* widget, const TextDescription& description);

    const std::string& text() const { return text_; }
    void setText(const std::string& text);

private:
    std::string text_;
};
using Label = TextBox;

struct ButtonDescription {
    Rect place{};
    std::string caption{};
    std::optional<Font> font{};
};

// A push button; it takes the keyboard focus when it is the only control that can.
class CommandButton : public Control {
public:
    CommandButton(detail::ButtonWidget* widget, const ButtonDescription& description);
    ~CommandButton() override;

    const std::string& caption() const { return caption_; }
    bool hasFocus() const;

    std::function<void()> onClick;
    void click();

private:
    std::string caption_;
};

struct LineDescription {  // twips
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    Color color{};
};

// A drawn line, above the controls made before it.
class Line : public Control {
public:
    Line(detail::ControlWidget* widget, const LineDescription& description);
    const LineDescription& description() const { return description_; }

private:
    LineDescription description_;
};

}  // namespace platform
