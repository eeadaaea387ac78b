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

    virtual intptr_t Invoke(intptr_t argument) {
        if (!m_function) return reinterpret_cast<intptr_t>(this);
        return m_function(m_context, argument, this);
    }

    void* Context() const { return m_context; }

    // Deletes what the slot holds and stores a new callback (null when the
    // allocation failed).
    static void Bind(CCallback*& slot, void* context, Function function) {
        delete slot;
        slot = new (std::nothrow) CCallback(context, function);
    }
    template <typename T>
    static void Bind(CCallback*& slot, T* object, intptr_t (T::*member)(intptr_t));
    template <typename T>
    static void Bind(CCallback*& slot, T* object, void (T::*member)(intptr_t));

    // Deletes what the slot holds and empties it.
    static void Clear(CCallback*& slot) {
        delete slot;
        slot = nullptr;
    }

private:
    Function m_function = nullptr;
    void* m_context = nullptr;
};

template <typename T, typename Result>
class CMemberCallback : public CCallback {
public:
    using Member = Result (T::*)(intptr_t);
    CMemberCallback(T* object, Member member) : CCallback(object, nullptr), m_object(object), m_member(member) {}

    intptr_t Invoke(intptr_t argument) override {
        if (!m_object || !m_member) return reinterpret_cast<intptr_t>(static_cast<CCallback*>(this));
        if constexpr (std::is_void_v<Result>) {
            (m_object->*m_member)(argument);
            return 0;
        } else {
            return static_cast<intptr_t>((m_object->*m_member)(argument));
        }
    }

private:
    T* m_object;
    Member m_member;
};

template <typename T>
void CCallback::Bind(CCallback*& slot, T* object, intptr_t (T::*member)(intptr_t)) {
    delete slot;
    slot = new (std::nothrow) CMemberCallback<T, intptr_t>(object, member);
}

template <typename T>
void CCallback::Bind(CCallback*& slot, T* object, void (T::*member)(intptr_t)) {
    delete slot;
    slot = new (std::nothrow) CMemberCallback<T, void>(object, member);
}
