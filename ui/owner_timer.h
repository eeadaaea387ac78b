#pragma once
// A timer that calls a member function of its owner; the controls' held
// buttons repeat through one each. It starts suspended with rate 0.
#include "core/timer.h"

template <typename T>
class OwnerTimer : public CTimer {
public:
    OwnerTimer(T* owner, void (T::*member)()) : m_owner(owner), m_member(member) { suspended = 1; }
    void OnTimer() override { (m_owner->*m_member)(); }

private:
    T* m_owner;
    void (T::*m_member)();
};
