#include "core/signal.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Listeners record their name into one trace; each knows its connection.
std::string g_trace;

struct Listener {
    char name;
    SignalConnection connection;
};

Listener* g_listeners[4];

void Record(intptr_t, SignalDelegate* delegate)
{
    for (Listener* l : g_listeners)
        if (l && l->connection.Delegate() == delegate)
            g_trace += l->name;
}

class SignalTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_trace.clear();
        for (int i = 0; i < 4; ++i)
            g_listeners[i] = &listeners[i];
    }
    void TearDown() override
    {
        for (Listener*& l : g_listeners)
            l = nullptr;
    }
    Signal signal;
    Listener listeners[4] = {{'A', {}}, {'B', {}}, {'C', {}}, {'D', {}}};
    Listener& a = listeners[0];
    Listener& b = listeners[1];
    Listener& c = listeners[2];
    Listener& d = listeners[3];
};

}  // namespace

TEST_F(SignalTest, FiresInConnectionOrder)
{
    signal.FirePointer(nullptr);  // no listeners: nothing
    EXPECT_EQ(g_trace, "");
    EXPECT_TRUE(signal.Connect(&Record, a.connection));
    EXPECT_TRUE(signal.Connect(&Record, b.connection));
    EXPECT_TRUE(signal.Connect(&Record, c.connection));
    signal.FirePointer(nullptr);
    EXPECT_EQ(g_trace, "ABC");
    EXPECT_TRUE(signal.Disconnect(b.connection));
    EXPECT_FALSE(b.connection.IsConnected());
    g_trace.clear();
    signal.FirePointer(nullptr);
    EXPECT_EQ(g_trace, "AC");
    EXPECT_TRUE(signal.Connect(&Record, b.connection));
    g_trace.clear();
    signal.FirePointer(nullptr);
    EXPECT_EQ(g_trace, "ACB");
    // Reconnecting moves the connection to the end, listed once.
    EXPECT_TRUE(signal.Connect(&Record, a.connection));
    EXPECT_EQ(signal.Count(), 3);
    g_trace.clear();
    signal.FirePointer(nullptr);
    EXPECT_EQ(g_trace, "CBA");
}

TEST_F(SignalTest, DisconnectRefusesStrangers)
{
    Signal other;
    EXPECT_FALSE(signal.Disconnect(a.connection));  // never connected
    EXPECT_TRUE(other.Connect(&Record, a.connection));
    EXPECT_FALSE(signal.Disconnect(a.connection));  // connected elsewhere
    EXPECT_TRUE(a.connection.IsConnected());
    // Connecting to another signal leaves the first one.
    EXPECT_TRUE(signal.Connect(&Record, a.connection));
    EXPECT_EQ(other.Count(), 0);
    EXPECT_EQ(a.connection.ConnectedSignal(), &signal);
}

TEST_F(SignalTest, ArgumentsArriveAsTheirKind)
{
    static int16_t s_char;
    static PackedPoint s_point;
    static const void* s_pointer;
    static uint32_t s_key;
    SignalConnection chars, points, pointers, keys;
    signal.ConnectValue([](int16_t v, SignalDelegate*) { s_char = v; }, chars);
    Signal penSignal, pointerSignal, keySignal;
    penSignal.Connect([](intptr_t arg, SignalDelegate*) { s_point = Signal::PointFromArgument(arg); },
                      points);
    pointerSignal.Connect(
        [](intptr_t arg, SignalDelegate*) { s_pointer = reinterpret_cast<const void*>(arg); }, pointers);
    keySignal.Connect([](intptr_t arg, SignalDelegate*) { s_key = static_cast<uint32_t>(arg); }, keys);

    signal.FireChar(static_cast<int16_t>(static_cast<int8_t>('\xE9')));  // a sign-extended code-page byte
    EXPECT_EQ(s_char, -23);
    PackedPoint point(-5, 2047);
    point.SetXFlags(0xC);
    penSignal.FirePoint(point);
    EXPECT_EQ(s_point.X(), -5);
    EXPECT_EQ(s_point.Y(), 2047);
    EXPECT_EQ(s_point.XFlags(), 0xC);
    int target = 0;
    pointerSignal.FirePointer(&target);
    EXPECT_EQ(s_pointer, &target);
    keySignal.FireKey(0x40A);
    EXPECT_EQ(s_key, 0x40Au);
}

TEST_F(SignalTest, MemberFunctionsConnectWithoutArgument)
{
    struct Window {
        int calls = 0;
        SignalConnection guard;
        void OnMenuKey() { ++calls; }
    } window;
    EXPECT_TRUE(signal.ConnectVoid(&window, &Window::OnMenuKey, window.guard));
    EXPECT_TRUE(signal.ConnectVoid(&window, &Window::OnMenuKey, window.guard));  // still listed once
    signal.FireKey(1);
    EXPECT_EQ(window.calls, 1);
}

TEST_F(SignalTest, ConnectionsAndSignalsCleanUpEachOther)
{
    {
        SignalConnection temporary;
        signal.Connect(&Record, temporary);
        EXPECT_EQ(signal.Count(), 1);
    }  // its destructor disconnects it
    EXPECT_EQ(signal.Count(), 0);
    SignalConnection survivor;
    {
        Signal shortLived;
        shortLived.Connect(&Record, survivor);
    }  // the signal clears its connections
    EXPECT_FALSE(survivor.IsConnected());
    EXPECT_FALSE(survivor.Disconnect());
}

TEST_F(SignalTest, ListenerCountIsLimited)
{
    SignalConnection connections[Signal::MaxListeners + 1];
    for (int i = 0; i < Signal::MaxListeners; ++i)
        EXPECT_TRUE(signal.Connect(&Record, connections[i]));
    EXPECT_FALSE(signal.Connect(&Record, connections[Signal::MaxListeners]));
    EXPECT_FALSE(connections[Signal::MaxListeners].IsConnected());
    EXPECT_TRUE(signal.Connect(&Record, connections[0]));  // reconnecting a member still works
    EXPECT_EQ(signal.Count(), Signal::MaxListeners);
}

// A listener may open a modal loop during which other listeners are
// destroyed or connected; the fire must stay within its list and call only
// listeners still connected.
namespace {

Signal* g_firing;
SignalConnection* g_victim;
SignalConnection* g_newcomer;
int g_nested;

void DisconnectOthersAndReconnect(intptr_t arg, SignalDelegate* delegate)
{
    Record(arg, delegate);
    if (g_victim)
        g_victim->Disconnect();  // frees nothing the outer fire still needs
    g_victim = nullptr;
    if (g_newcomer)
        g_firing->Connect(&Record, *g_newcomer);
    g_newcomer = nullptr;
}

void DisconnectSelf(intptr_t arg, SignalDelegate* delegate)
{
    Record(arg, delegate);
    for (Listener* l : g_listeners)
        if (l && l->connection.Delegate() == delegate)
            l->connection.Disconnect();
}

void FireAgainOnce(intptr_t arg, SignalDelegate* delegate)
{
    Record(arg, delegate);
    if (g_nested++ == 0) {
        g_trace += '(';
        g_firing->FirePointer(nullptr);  // a nested frame step fires the signal again
        g_trace += ')';
    }
}

}  // namespace

TEST_F(SignalTest, ListenersMayChangeTheListWhileItFires)
{
    g_firing = &signal;
    signal.Connect(&DisconnectOthersAndReconnect, a.connection);
    signal.Connect(&Record, b.connection);
    signal.Connect(&DisconnectSelf, c.connection);
    signal.Connect(&Record, d.connection);
    g_victim = &b.connection;
    g_newcomer = &b.connection;  // B comes back at the end
    // A removes B, then B reconnects at the end; C leaves; D runs. B's new
    // entry was made during the fire, so it waits for the next one.
    signal.FirePointer(nullptr);
    EXPECT_EQ(g_trace, "ACD");
    EXPECT_EQ(signal.Count(), 3);
    g_trace.clear();
    signal.FirePointer(nullptr);
    EXPECT_EQ(g_trace, "ADB");
}

TEST_F(SignalTest, DestroyingListenersDuringAFire)
{
    static Listener* s_doomed;
    s_doomed = new Listener{'X', {}};
    g_listeners[3] = s_doomed;
    SignalConnection destroyer;
    // The first listener's modal loop destroys X outright: its connection's
    // destructor disconnects it while the fire is still walking the list.
    signal.Connect(
        [](intptr_t, SignalDelegate*) {
            g_trace += '!';
            g_listeners[3] = nullptr;
            delete s_doomed;
            s_doomed = nullptr;
        },
        destroyer);
    signal.Connect(&Record, s_doomed->connection);
    signal.Connect(&Record, c.connection);
    signal.FirePointer(nullptr);
    EXPECT_EQ(g_trace, "!C");
    EXPECT_EQ(signal.Count(), 2);
}

TEST_F(SignalTest, NestedFiresCompactOnlyAtTheEnd)
{
    g_firing = &signal;
    g_nested = 0;
    signal.Connect(&FireAgainOnce, a.connection);
    signal.Connect(&DisconnectSelf, b.connection);
    signal.Connect(&Record, c.connection);
    signal.FirePointer(nullptr);
    // The nested fire runs A B C (B leaves); the outer fire goes on with C.
    EXPECT_EQ(g_trace, "A(ABC)C");
    EXPECT_EQ(signal.Count(), 2);
    g_trace.clear();
    signal.FirePointer(nullptr);
    EXPECT_EQ(g_trace, "AC");
}

// The input signals and their listeners' connections are static objects
// used from other static constructors: they must be ready before any code
// runs, which constinit checks at compile time.
namespace {
constinit Signal g_staticSignal;
constinit SignalConnection g_staticConnection;
}  // namespace

TEST(StaticSignalTest, StaticSignalsWorkFromTheStart)
{
    static int s_calls = 0;
    EXPECT_TRUE(g_staticSignal.Connect([](intptr_t, SignalDelegate*) { ++s_calls; }, g_staticConnection));
    g_staticSignal.FireKey(0);
    EXPECT_EQ(s_calls, 1);
    EXPECT_TRUE(g_staticConnection.Disconnect());
}
