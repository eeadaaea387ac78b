#pragma once
// Signal: a multi-listener notification (the device input signals and the
// like). Each listener owns a SignalConnection; connecting makes a delegate
// for the listener's function and appends the connection to the signal's
// list; firing calls every connected delegate in connection order.
//
// Listeners may connect and disconnect (themselves or others) while the
// signal fires: a listener can open a modal loop in which whole windows,
// and with them their connections, are destroyed. So a fire only visits the
// entries that existed when it started, disconnecting during a fire only
// blanks the entry (its delegate is kept alive until the fire is over), and
// the list is compacted when the outermost fire returns. A connection made
// during a fire is called from the next fire on.
//
// Arguments travel as one intptr_t: a pointer (FirePointer), a 16-bit
// character (FireChar, for ConnectValue listeners), a logical key code
// (FireKey), or a PackedPoint by value, its two words packed into the low 32
// bits (FirePoint; PointFromArgument unpacks it).
//
// A signal holds at most 255 listeners; a further connect is refused.
#include <cstdint>

#include "core/packed_geometry.h"

class Signal;

class SignalDelegate {
public:
    virtual ~SignalDelegate() = default;
    virtual void Invoke(intptr_t argument) = 0;
};

class SignalConnection {
public:
    constexpr SignalConnection() = default;
    SignalConnection(const SignalConnection&) = delete;
    SignalConnection& operator=(const SignalConnection&) = delete;
    ~SignalConnection() { Disconnect(); }

    bool IsConnected() const { return m_signal != nullptr && m_delegate != nullptr; }
    Signal* ConnectedSignal() const { return m_signal; }
    SignalDelegate* Delegate() const { return m_delegate; }
    // Disconnects from whatever signal the connection is on; false when it
    // was not connected.
    bool Disconnect();

private:
    friend class Signal;
    Signal* m_signal = nullptr;
    SignalDelegate* m_delegate = nullptr;
};

class Signal {
public:
    using Function = void (*)(intptr_t argument, SignalDelegate* delegate);
    using ValueFunction = void (*)(int16_t value, SignalDelegate* delegate);
    static constexpr int32_t MaxListeners = 255;

    constexpr Signal() = default;
    Signal(const Signal&) = delete;
    Signal& operator=(const Signal&) = delete;
    // Clears every connection still connected and frees the list.
    ~Signal();

    // Connecting a connected connection first disconnects it, so it is
    // listed once, at the end. False when the signal is full or memory ran
    // out (the connection is then left as it was).
    bool Connect(Function function, SignalConnection& connection);
    bool ConnectValue(ValueFunction function, SignalConnection& connection);
    template <typename T>
    bool ConnectVoid(T* object, void (T::*member)(), SignalConnection& connection);

    // False when the connection is not connected to this signal.
    bool Disconnect(SignalConnection& connection);

    void FirePointer(const void* pointer) { Fire(reinterpret_cast<intptr_t>(pointer)); }
    void FireChar(int16_t character) { Fire(character); }
    void FireKey(uint32_t key) { Fire(static_cast<intptr_t>(key)); }
    void FirePoint(PackedPoint point) { Fire(ArgumentFromPoint(point)); }

    static intptr_t ArgumentFromPoint(PackedPoint point)
    {
        return static_cast<intptr_t>(static_cast<uint32_t>(point.xWord) |
                                     (static_cast<uint32_t>(point.yWord) << 16));
    }
    static PackedPoint PointFromArgument(intptr_t argument)
    {
        PackedPoint point;
        point.xWord = static_cast<uint16_t>(argument & 0xFFFF);
        point.yWord = static_cast<uint16_t>((argument >> 16) & 0xFFFF);
        return point;
    }

    // The number of connected listeners.
    int32_t Count() const { return m_count; }
    bool IsFiring() const { return m_fireDepth > 0; }

private:
    struct Entry {
        SignalConnection* connection;
        SignalDelegate* delegate;
    };

    bool Attach(SignalDelegate* delegate, SignalConnection& connection);
    bool Append(SignalConnection& connection, SignalDelegate* delegate);
    void Fire(intptr_t argument);
    void Compact();

    Entry* m_entries = nullptr;
    int32_t m_size = 0;   // entries in the list, blanks included
    int32_t m_count = 0;  // connected listeners
    int32_t m_fireDepth = 0;
    bool m_hasBlanks = false;
};

template <typename T>
class SignalMemberDelegate : public SignalDelegate {
public:
    SignalMemberDelegate(T* object, void (T::*member)()) : m_object(object), m_member(member) {}
    void Invoke(intptr_t) override
    {
        if (m_object && m_member)
            (m_object->*m_member)();
    }

private:
    T* m_object;
    void (T::*m_member)();
};

template <typename T>
bool Signal::ConnectVoid(T* object, void (T::*member)(), SignalConnection& connection)
{
    return Attach(new SignalMemberDelegate<T>(object, member), connection);
}
