#pragma once

#include <utility>

namespace tarn {

// A counted reference to an EngineObject (or any class with add_ref/release): holding adds one
// to the object's count, dropping or replacing releases one.
template <typename T>
class ObjectRef {
public:
    ObjectRef() = default;
    explicit ObjectRef(T* object) : object_(object) { acquire(); }
    ObjectRef(const ObjectRef& other) : object_(other.object_) { acquire(); }
    ObjectRef(ObjectRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    ~ObjectRef() { reset(); }

    ObjectRef& operator=(const ObjectRef& other) {
        reset(other.object_);
        return *this;
    }
    ObjectRef& operator=(ObjectRef&& other) noexcept {
        if (this != &other) {
            reset();
            object_ = std::exchange(other.object_, nullptr);
        }
        return *this;
    }

    // Holds object instead; the new one is counted before the old one is released.
    void reset(T* object = nullptr) {
        if (object != nullptr)
            object->add_ref();
        T* old = std::exchange(object_, object);
        if (old != nullptr)
            old->release();
    }

    T* get() const { return object_; }
    T* operator->() const { return object_; }
    T& operator*() const { return *object_; }
    explicit operator bool() const { return object_ != nullptr; }

private:
    void acquire() {
        if (object_ != nullptr)
            object_->add_ref();
    }

    T* object_ = nullptr;
};

// A node of an object's weak-reference list; the object clears every node when it dies.
class WeakLink {
public:
    WeakLink() = default;
    WeakLink(const WeakLink&) = delete;
    WeakLink& operator=(const WeakLink&) = delete;

protected:
    ~WeakLink() { unlink(); }

    // Joins the list headed by head (null: joins none) with target as the object.
    void link(WeakLink** head, void* target);
    void unlink();
    void* target() const { return target_; }

private:
    friend class WeakList;

    WeakLink** head_ = nullptr;
    WeakLink* prev_ = nullptr;
    WeakLink* next_ = nullptr;
    void* target_ = nullptr;
};

// The head of an object's weak references.
class WeakList {
public:
    WeakList() = default;
    WeakList(const WeakList&) = delete;
    WeakList& operator=(const WeakList&) = delete;
    ~WeakList() { clear(); }

    // Turns every reference to null.
    void clear();
    bool empty() const { return head_ == nullptr; }
    WeakLink** head() { return &head_; }

private:
    WeakLink* head_ = nullptr;
};

// A reference that does not keep its object alive and becomes null when the object dies. T needs
// weak_refs() returning its WeakList.
template <typename T>
class WeakObjectRef : public WeakLink {
public:
    WeakObjectRef() = default;
    explicit WeakObjectRef(T* object) { reset(object); }
    WeakObjectRef(const WeakObjectRef& other) : WeakLink() { reset(other.get()); }
    WeakObjectRef& operator=(const WeakObjectRef& other) {
        reset(other.get());
        return *this;
    }
    ~WeakObjectRef() = default;

    void reset(T* object = nullptr) {
        unlink();
        if (object != nullptr)
            link(object->weak_refs().head(), object);
    }
    T* get() const { return static_cast<T*>(target()); }
    T* operator->() const { return get(); }
    explicit operator bool() const { return get() != nullptr; }
};

inline void WeakLink::link(WeakLink** head, void* target) {
    head_ = head;
    target_ = target;
    prev_ = nullptr;
    next_ = *head;
    if (next_ != nullptr)
        next_->prev_ = this;
    *head = this;
}

inline void WeakLink::unlink() {
    if (head_ == nullptr)
        return;
    if (prev_ != nullptr)
        prev_->next_ = next_;
    else
        *head_ = next_;
    if (next_ != nullptr)
        next_->prev_ = prev_;
    head_ = nullptr;
    prev_ = next_ = nullptr;
    target_ = nullptr;
}

inline void WeakList::clear() {
    while (head_ != nullptr)
        head_->unlink();
}

}  // namespace tarn
