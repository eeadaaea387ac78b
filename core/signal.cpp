#include "core/signal.h"

#include <cstdlib>

namespace {

class FunctionDelegate : public SignalDelegate {
public:
    explicit FunctionDelegate(Signal::Function function) : m_function(function) {}
    void Invoke(intptr_t argument) override
    {
        if (m_function)
            m_function(argument, this);
    }

private:
    Signal::Function m_function;
};

class ValueDelegate : public SignalDelegate {
public:
    explicit ValueDelegate(Signal::ValueFunction function) : m_function(function) {}
    void Invoke(intptr_t argument) override
    {
        if (m_function)
            m_function(static_cast<int16_t>(argument), this);
    }

private:
    Signal::ValueFunction m_function;
};

}  // namespace

bool SignalConnection::Disconnect()
{
    return m_signal ? m_signal->Disconnect(*this) : false;
}

Signal::~Signal()
{
    for (int32_t i = 0; i < m_size; ++i) {
        if (SignalConnection* connection = m_entries[i].connection) {
            connection->m_signal = nullptr;
            connection->m_delegate = nullptr;
        }
        delete m_entries[i].delegate;
    }
    std::free(m_entries);
    m_entries = nullptr;
    m_size = m_count = 0;
}

bool Signal::Connect(Function function, SignalConnection& connection)
{
    return Attach(new FunctionDelegate(function), connection);
}

bool Signal::ConnectValue(ValueFunction function, SignalConnection& connection)
{
    return Attach(new ValueDelegate(function), connection);
}

bool Signal::Attach(SignalDelegate* delegate, SignalConnection& connection)
{
    const bool alreadyHere = connection.m_signal == this && connection.IsConnected();
    if (!alreadyHere && m_count >= MaxListeners) {
        delete delegate;
        return false;
    }
    if (connection.IsConnected())
        connection.m_signal->Disconnect(connection);
    if (!Append(connection, delegate)) {
        delete delegate;
        return false;
    }
    connection.m_signal = this;
    connection.m_delegate = delegate;
    return true;
}

bool Signal::Append(SignalConnection& connection, SignalDelegate* delegate)
{
    auto* grown =
        static_cast<Entry*>(std::realloc(m_entries, sizeof(Entry) * static_cast<size_t>(m_size + 1)));
    if (!grown)
        return false;
    m_entries = grown;
    m_entries[m_size++] = Entry{&connection, delegate};
    ++m_count;
    return true;
}

bool Signal::Disconnect(SignalConnection& connection)
{
    if (connection.m_delegate == nullptr || connection.m_signal != this)
        return false;
    int32_t index = 0;
    while (index < m_size && m_entries[index].connection != &connection)
        ++index;
    if (index == m_size)
        return false;
    connection.m_signal = nullptr;
    connection.m_delegate = nullptr;
    --m_count;
    if (m_fireDepth > 0) {
        // A fire is walking the list: blank the entry and keep its delegate
        // alive (it may be the one running right now); the outermost fire
        // compacts the list when it returns.
        m_entries[index].connection = nullptr;
        m_hasBlanks = true;
        return true;
    }
    delete m_entries[index].delegate;
    for (int32_t i = index + 1; i < m_size; ++i)
        m_entries[i - 1] = m_entries[i];
    --m_size;
    if (m_size == 0) {
        std::free(m_entries);
        m_entries = nullptr;
    } else if (auto* shrunk = static_cast<Entry*>(
                   std::realloc(m_entries, sizeof(Entry) * static_cast<size_t>(m_size)))) {
        m_entries = shrunk;
    }
    return true;
}

void Signal::Fire(intptr_t argument)
{
    const int32_t size = m_size;
    ++m_fireDepth;
    for (int32_t i = 0; i < size; ++i) {
        // Read the entry afresh each time: listeners may have appended to
        // (and so moved) the list.
        const Entry entry = m_entries[i];
        if (entry.connection && entry.delegate)
            entry.delegate->Invoke(argument);
    }
    if (--m_fireDepth == 0 && m_hasBlanks)
        Compact();
}

void Signal::Compact()
{
    int32_t kept = 0;
    for (int32_t i = 0; i < m_size; ++i) {
        if (m_entries[i].connection) {
            m_entries[kept++] = m_entries[i];
        } else {
            delete m_entries[i].delegate;
        }
    }
    m_size = kept;
    m_hasBlanks = false;
    if (m_size == 0) {
        std::free(m_entries);
        m_entries = nullptr;
    } else if (auto* shrunk = static_cast<Entry*>(
                   std::realloc(m_entries, sizeof(Entry) * static_cast<size_t>(m_size)))) {
        m_entries = shrunk;
    }
}
