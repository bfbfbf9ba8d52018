// media/Forms.h — the small application framework the components live in:
// components with owners, the main form, and the application object with its
// message loop, its one idle-handler slot and its default error handler.

#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "media/Listeners.h"
#include "platform/Platform.h"

namespace skyrend {

class TForm;

// A component: a name, an owner that frees it, and the end-of-loading call
// that follows the application of its stored settings.
class TComponent {
public:
    explicit TComponent(TComponent* owner);
    virtual ~TComponent();
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    std::string Name;
    TComponent* Owner() const { return owner_; }
    // The first form up the owner chain (the component itself if it is one).
    TForm* OwnerForm();
    bool Loading() const { return loading_; }
    // Called after the stored settings have been applied.
    virtual void Loaded() { loading_ = false; }
    void BeginLoading() { loading_ = true; }

private:
    TComponent* owner_;
    bool loading_ = false;
};

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
using TShiftState = uint8_t;

using TNotifyEvent = std::function<void(TComponent* sender)>;
using TKeyEvent = std::function<void(TComponent* sender, uint16_t& key, TShiftState shift)>;
using TMouseEvent =
    std::function<void(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y)>;

// What a form tells the components that hook its window.
enum class FormEvent { FirstShown, Destroying };
using TFormHook = std::function<void(FormEvent event)>;

class TForm : public TComponent {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    std::string Caption;
    bool BorderNone = true;
    bool Enabled = true;
    TKeyEvent OnKeyDown;
    // The control that fills the client area receives mouse-down messages.
    TMouseEvent ClientMouseDown;
    TComponent* ClientControl = nullptr;

    // Shows the window through the platform; the first time, the hooks hear
    // FirstShown after the form's own handling.
    void Show();
    bool Shown() const { return shown_; }

    // Components hook the form's window messages (the display, sound devices).
    int AddHook(TFormHook hook);
    void RemoveHook(int id);

    void DispatchKeyDown(uint16_t key);
    void DispatchMouseDown(int button, int x, int y);

protected:
    // Tells the hooks; a form being destroyed calls it with Destroying.
    void Broadcast(FormEvent event);

private:
    friend class TApplication;
    bool shown_ = false;
    bool isMain_ = false;
    TListeners<TFormHook> hooks_;
    bool destroyed_ = false;
};

using TIdleEvent = std::function<void(bool& done)>;
using TActivationObserver = std::function<void(bool activated)>;

// The application: message loop, idle slot, activation state and observers,
// and the default exception handler (an error box, then the loop goes on).
class TApplication {
public:
    std::string Title = "Skyrend";

    bool Active() const { return active_; }
    // The single idle-handler slot.
    void SetOnIdle(TIdleEvent handler) { onIdle_ = std::move(handler); }
    bool HasOnIdle() const { return static_cast<bool>(onIdle_); }

    int AddActivationObserver(TActivationObserver observer);
    void RemoveActivationObserver(int id);

    void SetMainForm(TForm* form);
    TForm* MainForm() const { return mainForm_; }

    // Shows the main form and loops until the main window is closed. An
    // error while the form is first shown (the display's first start) goes
    // to the default handler like any other.
    void Run();
    // Delivers every queued message; false once the main window is closed.
    bool ProcessMessages();
    // One idle call of the message loop; returns the handler's done flag
    // (true when no handler is installed).
    bool Idle();
    // An idle handler that leaves done false may tell when it next has work
    // (a clock reading): the loop then waits for a message until just before
    // that time instead of polling all the while. Holds for one idle call.
    void SetIdleDeadline(uint32_t clock);
    bool Terminated() const { return terminated_; }

    // The default handler: the text in an error box, a full stop appended
    // unless the text already ends with one.
    void ShowException(const std::exception& error);
    void HandleMessage(const platform::Message& message);

private:
    bool active_ = false;
    bool terminated_ = false;
    TIdleEvent onIdle_;
    bool hasIdleDeadline_ = false;
    uint32_t idleDeadline_ = 0;
    TForm* mainForm_ = nullptr;
    int nextObserver_ = 1;
    std::vector<std::pair<int, TActivationObserver>> observers_;
    void SetActive(bool active);
    void WaitForIdleDeadline();
};

// The one application object.
TApplication& Application();

}  // namespace skyrend
