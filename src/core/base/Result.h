// The outcome of a core operation that can fail: the value, or the Message that
// tells the user why not. The state before a failed operation survives it.
#pragma once

#include <cassert>
#include <utility>
#include <variant>

#include "core/base/Message.h"

namespace phonotab {

template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : v_(std::move(value)) {}
    Result(Message m) : v_(std::move(m)) {}

    bool ok() const { return v_.index() == 0; }
    explicit operator bool() const { return ok(); }
    T& value() { return std::get<0>(v_); }
    const T& value() const { return std::get<0>(v_); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    const Message& error() const { return std::get<1>(v_); }

private:
    std::variant<T, Message> v_;
};

// Result of an operation without a value.
class [[nodiscard]] Status {
public:
    Status() = default;
    Status(Message m) : failed_(true), m_(std::move(m)) {}
    static Status success() { return {}; }

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    const Message& error() const { return m_; }

private:
    bool failed_ = false;
    Message m_;
};

}  // namespace phonotab
