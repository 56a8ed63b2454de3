#pragma once

#include <functional>

// What a dialog's view hands its events to: the main window runs the model's handler and then
// shows every model again.
class EventForwarder {
public:
    virtual void forward(const std::function<void()>& handler) = 0;

protected:
    ~EventForwarder() = default;
};
