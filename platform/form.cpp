#include "form.h"

#include "qt_internal.h"
#include "system.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QHash>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace platform {

namespace {

int handlerDepth = 0;
std::vector<std::unique_ptr<Form>> pendingDisposals;
std::vector<Form*> loadedForms;
std::function<void()> whenNoWindowLeft;

void afterOutermostHandler()
{
    pendingDisposals.clear();
    if (loadedForms.empty() && whenNoWindowLeft) whenNoWindowLeft();
}

QIcon storedIcon(const std::string& name)
{
    static QHash<QString, QIcon> icons;
    const QString key = QString::fromStdString(name);
    auto found = icons.find(key);
    // Made from the decoded picture: an icon read from a file name would first load
    // every image format plugin to find out what the file is.
    if (found == icons.end()) found = icons.insert(key, QIcon(QPixmap::fromImage(StoredPicture(name)->data().image)));
    return *found;
}

}  // namespace

void runHandler(const std::function<void()>& handler)
{
    ++handlerDepth;
    try {
        handler();
    } catch (const RuntimeError& error) {
        reportRuntimeError(error.what());
    } catch (const std::exception& error) {
        reportRuntimeError(std::string("internal error: ") + error.what());
    }
    if (--handlerDepth == 0) afterOutermostHandler();
}

bool handlerRunning() { return handlerDepth > 0; }

namespace detail {

void disposeWhenIdle(std::unique_ptr<Form> form)
{
    if (handlerDepth > 0)
        pendingDisposals.push_back(std::move(form));
    // else: the object goes away here, at the end of this function
}

ClientWidget::ClientWidget(QWidget* parent, const FormDescription& d)
    : QWidget(parent), backColor_(qtColor(d.backColor))
{
    setFixedSize(d.clientWidth / twipsPerPixel, d.clientHeight / twipsPerPixel);
    // The window's font, for the controls that carry none; the menu bar keeps the desktop's.
    if (d.font) setFont(qtFont(*d.font));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ClientWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    // One rectangle at a time: a clip of several rectangles sends the whole picture
    // through a much slower path.
    for (const QRect& r : event->region()) {
        if (background_) {
            const QImage& picture = background_->data().natural(devicePixelRatioF());
            const qreal ratio = picture.devicePixelRatio();
            painter.drawImage(r, picture, QRectF(r.topLeft() * ratio, r.size() * ratio));
        } else {
            painter.fillRect(r, backColor_);
        }
    }
}

FormWidget::FormWidget(Form& form, const FormDescription& d) : form_(form)
{
    setWindowTitle(QString::fromStdString(d.caption));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   (d.dialogFrame ? Qt::MSWindowsFixedSizeDialogHint : Qt::WindowType(0)));
    if (!d.icon.empty()) setWindowIcon(storedIcon(d.icon));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    if (!d.menu.empty()) {
        menuBar_ = new QMenuBar(this);
        for (const MenuEntry& entry : d.menu) {
            QAction* action = menuBar_->addAction(QString::fromStdString(entry.caption));
            const int index = entry.index;
            QObject::connect(action, &QAction::triggered, this, [this, index] { form_.clickMenu(index); });
        }
        layout->setMenuBar(menuBar_);
    }
    client_ = new ClientWidget(this, d);
    layout->addWidget(client_);
}

void FormWidget::closeEvent(QCloseEvent* event)
{
    // Closed by the user through the window's own means: the window unloads, and no
    // handler of the program runs.
    event->ignore();
    runHandler([this] { form_.Unload(); });
}

LoadedForm::~LoadedForm()
{
    timers.clear();
    controls.clear();
    stores.clear();
    if (widget) {
        widget->hide();
        widget->deleteLater();
    }
}

}  // namespace detail

QWidget* qtClientArea(const Form& form) { return form.widget() ? form.widget()->client() : nullptr; }

Form::Form() = default;

Form::~Form()
{
    if (loaded_) {
        std::erase(loadedForms, this);
        loaded_->timers.clear();
        loaded_->controls.clear();
        delete loaded_->widget;
        loaded_->widget = nullptr;
    }
}

int Form::loadedCount() { return static_cast<int>(loadedForms.size()); }

detail::FormWidget* Form::widget() const { return loaded_ ? loaded_->widget : nullptr; }

bool Form::visible() const { return loaded_ && loaded_->widget->isVisible(); }

void Form::Load()
{
    if (loaded_) return;
    const FormDescription description = describe();
    loaded_ = std::make_unique<detail::LoadedForm>();
    loaded_->widget = new detail::FormWidget(*this, description);
    loadedForms.push_back(this);
    build();
    if (!description.background.empty()) loaded_->widget->client()->setBackground(StoredPicture(description.background));
    onLoad();
}

void Form::Show()
{
    Load();
    if (!loaded_) return;  // the load handler unloaded the window
    QWidget* window = loaded_->widget;
    if (window->isVisible()) return;
    // A window opens in the middle of the screen.
    window->adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
    window->show();
}

void Form::ShowModal()
{
    Load();
    if (!loaded_) return;
    loaded_->widget->setWindowModality(Qt::ApplicationModal);
    Show();
    if (!loaded_) return;
    QEventLoop loop;
    loaded_->modalLoop = &loop;
    loop.exec();
}

void Form::Unload()
{
    if (!loaded_) return;
    std::unique_ptr<detail::LoadedForm> gone = std::move(loaded_);
    std::erase(loadedForms, this);
    gone->timers.clear();
    onUnload();
    if (gone->modalLoop) gone->modalLoop->quit();
    gone.reset();
    if (handlerDepth == 0) afterOutermostHandler();
}

void Form::clickMenu(int index)
{
    if (!loaded_) return;
    runHandler([this, index] { onMenu(index); });
}

PictureBox& Form::addPictureBox()
{
    loaded_->stores.push_back(std::make_unique<PictureBox>());
    return *loaded_->stores.back();
}

namespace {

// Builds a control's widget on the client area and keeps the control with the window.
template <class ControlType, class WidgetType, class Description>
ControlType& addControl(detail::LoadedForm& form, const Description& description)
{
    auto* widget = new WidgetType(form.widget->client(), description);
    auto control = std::make_unique<ControlType>(widget, description);
    ControlType& result = *control;
    form.controls.push_back(std::move(control));
    return result;
}

}  // namespace

Image& Form::addImage(const ImageDescription& d) { return addControl<Image, detail::ImageWidget>(*loaded_, d); }

TextBox& Form::addTextBox(const TextDescription& d) { return addControl<TextBox, detail::TextWidget>(*loaded_, d); }

CommandButton& Form::addButton(const ButtonDescription& d)
{
    CommandButton& button = addControl<CommandButton, detail::ButtonWidget>(*loaded_, d);
    button.widget()->setFocus();  // the only control that takes the focus
    return button;
}

Line& Form::addLine(const LineDescription& d) { return addControl<Line, detail::LineWidget>(*loaded_, d); }

Timer& Form::addTimer(int intervalMs)
{
    loaded_->timers.push_back(std::make_unique<Timer>(intervalMs));
    return *loaded_->timers.back();
}

struct Application::Impl {
    Impl(int& argc, char** argv) : app(argc, argv) {}
    QApplication app;
};

Application::Application(int& argc, char** argv) : impl_(std::make_unique<Impl>(argc, argv))
{
    QApplication::setQuitOnLastWindowClosed(false);
}

Application::~Application()
{
    whenNoWindowLeft = nullptr;
    while (!loadedForms.empty()) loadedForms.back()->Unload();
    pendingDisposals.clear();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

int Application::run(const std::function<void()>& startUp)
{
    bool ended = false;
    whenNoWindowLeft = [&ended] {
        ended = true;
        QCoreApplication::exit(0);
    };
    runHandler(startUp);
    if (ended || loadedForms.empty()) return 0;
    return QApplication::exec();
}

}  // namespace platform
