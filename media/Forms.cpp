// media/Forms.cpp — components, the main form and the application loop.

#include "media/Forms.h"

#include <algorithm>

namespace skyrend {

TComponent::TComponent(TComponent* owner) : owner_(owner) {}
TComponent::~TComponent() = default;

TForm* TComponent::OwnerForm() {
    for (TComponent* c = this; c; c = c->owner_)
        if (auto* form = dynamic_cast<TForm*>(c)) return form;
    return nullptr;
}

TForm::TForm(TComponent* owner) : TComponent(owner) {}

TForm::~TForm() {
    Broadcast(FormEvent::Destroying);
    if (Application().MainForm() == this) Application().SetMainForm(nullptr);
}

void TForm::Show() {
    if (shown_) return;
    shown_ = true;
    if (isMain_) platform::Current().ShowMainWindow();
    Broadcast(FormEvent::FirstShown);
}

int TForm::AddHook(TFormHook hook) {
    return hooks_.Add(std::move(hook));
}

void TForm::RemoveHook(int id) {
    hooks_.Remove(id);
}

void TForm::Broadcast(FormEvent event) {
    // The destroy message is sent once, by the most derived form first.
    if (event == FormEvent::Destroying) {
        if (destroyed_) return;
        destroyed_ = true;
    }
    hooks_.TellOldestFirst(event);
}

void TForm::DispatchKeyDown(uint16_t key) {
    if (OnKeyDown) OnKeyDown(this, key, 0);
}

void TForm::DispatchMouseDown(int button, int x, int y) {
    if (!ClientMouseDown) return;
    auto b = button == 1 ? TMouseButton::mbRight : button == 2 ? TMouseButton::mbMiddle : TMouseButton::mbLeft;
    ClientMouseDown(ClientControl ? ClientControl : this, b, 0, x, y);
}

TApplication& Application() {
    static TApplication app;
    return app;
}

int TApplication::AddActivationObserver(TActivationObserver observer) {
    observers_.emplace_back(nextObserver_, std::move(observer));
    return nextObserver_++;
}

void TApplication::RemoveActivationObserver(int id) {
    std::erase_if(observers_, [id](const auto& o) { return o.first == id; });
}

void TApplication::SetMainForm(TForm* form) {
    if (mainForm_) mainForm_->isMain_ = false;
    mainForm_ = form;
    if (form) {
        form->isMain_ = true;
        platform::Current().CreateMainWindow(form->Caption);
    }
}

void TApplication::SetActive(bool active) {
    if (active == active_) return;
    active_ = active;
    auto observers = observers_;
    for (auto& [id, observer] : observers) observer(active);
}

void TApplication::HandleMessage(const platform::Message& message) {
    try {
        switch (message.kind) {
            case platform::MessageKind::KeyDown:
                if (mainForm_) mainForm_->DispatchKeyDown(message.key);
                break;
            case platform::MessageKind::MouseDown:
                if (mainForm_) mainForm_->DispatchMouseDown(message.button, message.x, message.y);
                break;
            case platform::MessageKind::Activate:
                SetActive(true);
                break;
            case platform::MessageKind::Deactivate:
                SetActive(false);
                break;
            case platform::MessageKind::Close:
                terminated_ = true;
                break;
        }
    } catch (const std::exception& error) {
        ShowException(error);
    }
}

bool TApplication::ProcessMessages() {
    platform::Message message;
    while (!terminated_ && platform::Current().PollMessage(message)) HandleMessage(message);
    return !terminated_;
}

bool TApplication::Idle() {
    bool done = true;
    hasIdleDeadline_ = false;
    if (!onIdle_) return done;
    try {
        // Copy: the handler may replace or empty the slot while it runs.
        TIdleEvent handler = onIdle_;
        handler(done);
    } catch (const std::exception& error) {
        ShowException(error);
    }
    return done;
}

void TApplication::SetIdleDeadline(uint32_t clock) {
    hasIdleDeadline_ = true;
    idleDeadline_ = clock;
}

// Sleeps until shortly before the deadline, or until a message comes; the
// last stretch is polled, so that the work starts within the clock's
// granularity of its time.
void TApplication::WaitForIdleDeadline() {
    constexpr int32_t PolledStretch = 1;  // milliseconds
    if (!hasIdleDeadline_) return;
    platform::Platform& p = platform::Current();
    const int32_t left = static_cast<int32_t>(idleDeadline_ - p.TimeGetTime());
    if (left > PolledStretch) p.WaitMessageTimeout(left - PolledStretch);
}

void TApplication::Run() {
    if (mainForm_) mainForm_->Show();
    while (ProcessMessages()) {
        if (Idle())
            platform::Current().WaitMessage();
        else
            WaitForIdleDeadline();
    }
}

void TApplication::ShowException(const std::exception& error) {
    std::string text = error.what();
    if (text.empty() || text.back() != '.') text += '.';
    platform::Current().ShowErrorBox(Title, text);
}

}  // namespace skyrend
