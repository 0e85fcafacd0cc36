#pragma once

#include <squirrel.h>

#include <utility>

namespace tarn {

// A counted reference to a GameObject-based widget: holding it keeps the widget's script instance
// (and so the widget, which lives inside it) alive. Dropping the last reference may destroy the
// widget at once, so containers take an entry out before they drop it.
template <typename T>
class InstanceRef {
public:
    InstanceRef() = default;
    explicit InstanceRef(T* object) : object_(object) { acquire(); }
    InstanceRef(const InstanceRef& other) : object_(other.object_) { acquire(); }
    InstanceRef(InstanceRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    ~InstanceRef() { reset(); }

    InstanceRef& operator=(InstanceRef other) noexcept {
        std::swap(object_, other.object_);
        return *this;
    }

    void reset() {
        T* old = std::exchange(object_, nullptr);
        if (old != nullptr) {
            HSQOBJECT instance = old->instance();
            sq_release(old->vm(), &instance);  // last: may destroy the object
        }
    }

    // Lets go without releasing, for a reference whose instance a closing VM is tearing down.
    void abandon() { object_ = nullptr; }

    T* get() const { return object_; }
    T* operator->() const { return object_; }
    T& operator*() const { return *object_; }
    explicit operator bool() const { return object_ != nullptr; }

private:
    void acquire() {
        if (object_ != nullptr) {
            HSQOBJECT instance = object_->instance();
            sq_addref(object_->vm(), &instance);
        }
    }

    T* object_ = nullptr;
};

}  // namespace tarn
