#pragma once
// The member-function delegate of the map screen: an event source (the map
// frame's province events, the battle window's end hook, a runner's pump)
// keeps one DelegateSlot per event. A slot holds at most one binding of a
// member function to its target object; connecting frees the binding held
// before, and invoking an empty slot does nothing (a function with a result
// then answers a value-initialised result).
//
// There is one connect and one invoke per handler signature: the signature
// is the slot's template argument, e.g. DelegateSlot<void(int16_t)> for the
// province events, DelegateSlot<void()> for hooks without argument.
//
// A handler may run frame steps, reconnect or clear the very slot that is
// calling it, or destroy the slot's owner. Invoke therefore touches neither
// the slot nor the delegate once the member function has been called.

#include <new>
#include <type_traits>
#include <utility>

template <typename Signature>
class DelegateSlot;

template <typename R, typename... Args>
class DelegateSlot<R(Args...)> {
public:
    class Delegate {
    public:
        virtual ~Delegate() = default;
        virtual R Invoke(Args... args) = 0;
    };

    template <typename T>
    class MemberDelegate : public Delegate {
    public:
        using Member = R (T::*)(Args...);
        MemberDelegate(T* target, Member member) : m_target(target), m_member(member) {}
        R Invoke(Args... args) override
        {
            // Copied first: the call may delete this delegate.
            T* target = m_target;
            Member member = m_member;
            return (target->*member)(std::forward<Args>(args)...);
        }
        T* Target() const { return m_target; }

    private:
        T* m_target;
        Member m_member;
    };

    DelegateSlot() = default;
    ~DelegateSlot() { Clear(); }
    DelegateSlot(const DelegateSlot&) = delete;
    DelegateSlot& operator=(const DelegateSlot&) = delete;

    // Frees the binding held, then binds the member function of the target.
    // A failed allocation leaves the slot empty.
    template <typename T>
    void Connect(T* target, R (T::*member)(Args...))
    {
        Clear();
        if (target && member)
            m_delegate = new (std::nothrow) MemberDelegate<T>(target, member);
    }

    void Clear()
    {
        Delegate* old = m_delegate;
        m_delegate = nullptr;
        delete old;
    }

    bool IsBound() const { return m_delegate != nullptr; }

    R Invoke(Args... args) const
    {
        Delegate* delegate = m_delegate;
        if (!delegate) {
            if constexpr (std::is_void_v<R>)
                return;
            else
                return R{};
        }
        return delegate->Invoke(std::forward<Args>(args)...);
    }

    R operator()(Args... args) const { return Invoke(std::forward<Args>(args)...); }

private:
    Delegate* m_delegate = nullptr;
};
