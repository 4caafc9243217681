// Windows built from a stored description. A window object outlives its window:
// unloading destroys the window, its menu, its controls and its timer and keeps
// the object with its variables; showing it again builds it afresh and runs its
// load handler again.
#pragma once

#include "controls.h"
#include "timer.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class Form;

namespace detail {
class FormWidget;
struct LoadedForm;
void disposeWhenIdle(std::unique_ptr<Form> form);
}  // namespace detail

struct MenuEntry {
    std::string caption;  // '&' marks the access key
    int index = 0;        // the element's index in its menu array
};

struct FormDescription {
    std::string caption;
    int clientWidth = 0;   // twips
    int clientHeight = 0;  // twips
    std::string background;  // stored artwork drawn from the client area's corner, "" for none
    Color backColor;
    std::string icon;  // stored artwork
    std::optional<Font> font;  // the window's font, for labels that carry none
    bool dialogFrame = false;  // a fixed dialog frame rather than a fixed single frame
    std::vector<MenuEntry> menu;
};

class Form {
public:
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    bool loaded() const { return loaded_ != nullptr; }
    // Builds the window from its description and runs the load handler, unless loaded.
    void Load();
    // Loads if needed and shows the window; returns at once.
    void Show();
    // Loads if needed and shows the window modally, without an owner; returns when
    // the window has gone (unloaded by the program or closed by the user).
    void ShowModal();
    // Destroys the window, its controls and its timer; the object stays. A handler
    // may unload its own window and run on.
    void Unload();

    bool visible() const;
    // The menu entry's click, as the platform delivers it.
    void clickMenu(int index);

    // How many windows are loaded.
    static int loadedCount();

    detail::FormWidget* widget() const;

protected:
    Form();

    virtual FormDescription describe() const = 0;
    // Creates the controls from the stored description, with the add functions below.
    virtual void build() = 0;
    // The load handler, run after build() and before the window is shown.
    virtual void onLoad() {}
    // The window is gone: forget the controls.
    virtual void onUnload() {}
    // A click on a menu entry, with the entry's index.
    virtual void onMenu(int /*index*/) {}

    Image& addImage(const ImageDescription& description);
    PictureBox& addPictureBox();
    TextBox& addTextBox(const TextDescription& description);
    CommandButton& addButton(const ButtonDescription& description);
    Line& addLine(const LineDescription& description);
    Timer& addTimer(int intervalMs);

private:
    std::unique_ptr<detail::LoadedForm> loaded_;
};

// A program-wide reference to a window object, filled with a new object when the
// program first uses it empty.
template <class T>
class FormRef {
public:
    T& get()
    {
        if (!object_) object_ = std::make_unique<T>();
        return *object_;
    }
    T* operator->() { return &get(); }
    T& operator*() { return get(); }
    bool empty() const { return !object_; }
    // Gives up the program's hold on the object; it goes away once no handler runs.
    void release()
    {
        if (object_) detail::disposeWhenIdle(std::move(object_));
    }

private:
    std::unique_ptr<T> object_;
};

// Runs one handler as the platform runs event handlers: one at a time, a run-time
// error reported and the program ended, and the program ended when no window is
// loaded once the outermost handler returns.
void runHandler(const std::function<void()>& handler);
// Whether a handler is running now.
bool handlerRunning();

// The program: the application object, the stored artwork and fonts.
class Application {
public:
    Application(int& argc, char** argv);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Runs the start-up and then the events until no window is left; the exit status.
    int run(const std::function<void()>& startUp);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace platform
