#pragma once
// CCallback: a bound function with a context, held through an owning slot
// (a CCallback* that the owner deletes). Invoke calls
// function(context, argument, callback) and returns its result; with no
// function bound it returns the callback object itself, which lets a caller
// tell an empty callback from one that answered.
//
// Member functions bind through CMemberCallback<T>, made by the Bind
// overload that takes an object and a member function.
#include <cstdint>
#include <new>
#include <type_traits>

class CCallback {
public:
    using Function = intptr_t (*)(void* context, intptr_t argument, CCallback* callback);

    constexpr CCallback() = default;
    CCallback(void* context, Function function) : m_function(function), m_context(context) {}
    CCallback(const CCallback&) = delete;
    CCallback& operator=(const CCallback&) = delete;
    virtual ~CCallback() = default;

    virtual intptr_t Invoke(intptr_t argument)
    {
        if (!m_function)
            return reinterpret_cast<intptr_t>(this);
        return m_function(m_context, argument, this);
    }

    void* Context() const { return m_context; }

    // Deletes what the slot holds and stores a new callback (null when the
    // allocation failed).
    static void Bind(CCallback*& slot, void* context, Function function)
    {
        delete slot;
        slot = new (std::nothrow) CCallback(context, function);
    }
    // Binds a member function of an object. It may take one argument (an
    // integer or a pointer; the invoke argument is converted to it) or none,
    // and return an integer, a pointer, a bool or nothing (read as 0).
    template <typename T, typename Result, typename Argument>
    static void Bind(CCallback*& slot, T* object, Result (T::*member)(Argument));
    template <typename T, typename Result>
    static void Bind(CCallback*& slot, T* object, Result (T::*member)());

    // Deletes what the slot holds and empties it.
    static void Clear(CCallback*& slot)
    {
        delete slot;
        slot = nullptr;
    }

private:
    Function m_function = nullptr;
    void* m_context = nullptr;
};

namespace callback_detail {

template <typename To>
To FromArgument(intptr_t argument)
{
    if constexpr (std::is_pointer_v<To>)
        return reinterpret_cast<To>(argument);
    else
        return static_cast<To>(argument);
}

template <typename From>
intptr_t ToResult(From value)
{
    if constexpr (std::is_pointer_v<From>)
        return reinterpret_cast<intptr_t>(value);
    else
        return static_cast<intptr_t>(value);
}

}  // namespace callback_detail

// A member function bound to its object; Argument is void for members that
// take nothing.
template <typename T, typename Result, typename Argument>
class CMemberCallback : public CCallback {
public:
    using Member =
        std::conditional_t<std::is_void_v<Argument>, Result (T::*)(),
                           Result (T::*)(std::conditional_t<std::is_void_v<Argument>, int, Argument>)>;
    CMemberCallback(T* object, Member member) : CCallback(object, nullptr), m_object(object), m_member(member)
    {}

    intptr_t Invoke(intptr_t argument) override
    {
        if (!m_object || !m_member)
            return reinterpret_cast<intptr_t>(static_cast<CCallback*>(this));
        if constexpr (std::is_void_v<Argument>) {
            (void)argument;
            if constexpr (std::is_void_v<Result>) {
                (m_object->*m_member)();
                return 0;
            } else {
                return callback_detail::ToResult((m_object->*m_member)());
            }
        } else {
            const Argument value = callback_detail::FromArgument<Argument>(argument);
            if constexpr (std::is_void_v<Result>) {
                (m_object->*m_member)(value);
                return 0;
            } else {
                return callback_detail::ToResult((m_object->*m_member)(value));
            }
        }
    }

private:
    T* m_object;
    Member m_member;
};

template <typename T, typename Result, typename Argument>
void CCallback::Bind(CCallback*& slot, T* object, Result (T::*member)(Argument))
{
    delete slot;
    slot = new (std::nothrow) CMemberCallback<T, Result, Argument>(object, member);
}

template <typename T, typename Result>
void CCallback::Bind(CCallback*& slot, T* object, Result (T::*member)())
{
    delete slot;
    slot = new (std::nothrow) CMemberCallback<T, Result, void>(object, member);
}
