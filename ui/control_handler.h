#pragma once
// Owned handler objects through which controls tell their owner about a
// change: a member function of the owner bound to the control's event.
#include <memory>
#include <new>

template <typename... Args>
class ControlHandler {
public:
    virtual ~ControlHandler() = default;
    virtual void Invoke(Args... args) = 0;
};

template <typename T, typename... Args>
class ControlMemberHandler : public ControlHandler<Args...> {
public:
    using Member = void (T::*)(Args...);
    ControlMemberHandler(T* object, Member member) : m_object(object), m_member(member) {}
    void Invoke(Args... args) override { (m_object->*m_member)(args...); }

private:
    T* m_object;
    Member m_member;
};

// A slot holding at most one handler; binding replaces (and frees) the old one.
template <typename... Args>
class ControlHandlerSlot {
public:
    template <typename T>
    void Bind(T* object, void (T::*member)(Args...))
    {
        m_handler.reset(new (std::nothrow) ControlMemberHandler<T, Args...>(object, member));
    }
    void Clear() { m_handler.reset(); }
    bool IsBound() const { return m_handler != nullptr; }
    void operator()(Args... args) const
    {
        if (m_handler)
            m_handler->Invoke(args...);
    }

private:
    std::unique_ptr<ControlHandler<Args...>> m_handler;
};
