#pragma once

#include <squirrel.h>

namespace tarn {

// Restores the stack height of a VM at scope exit, so whatever a block pushes is gone after it
// on every path out of the block.
class StackGuard {
public:
    explicit StackGuard(HSQUIRRELVM vm) : vm_(vm), top_(sq_gettop(vm)) {}
    StackGuard(const StackGuard&) = delete;
    StackGuard& operator=(const StackGuard&) = delete;
    ~StackGuard() { sq_settop(vm_, top_); }

    // The height the guard restores.
    SQInteger top() const { return top_; }

private:
    HSQUIRRELVM vm_;
    SQInteger top_;
};

}  // namespace tarn
