#pragma once
// CIndexedList<T>: the battle field's sprite list. A doubly linked list that
// remembers the node reached by the last indexed access, so that walking it
// index by index (the drawing passes, the draw-order bubbling) costs one step
// per index. Index -1 is taken as 0; an index past the end reads nothing.

#include <cstdint>
#include <new>

template <typename T>
class CIndexedList {
public:
    struct Node {
        T value;
        Node* next = nullptr;
        Node* previous = nullptr;
    };

    CIndexedList() = default;
    CIndexedList(const CIndexedList&) = delete;
    CIndexedList& operator=(const CIndexedList&) = delete;
    ~CIndexedList() { Clear(); }

    int32_t Count() const { return m_count; }
    int32_t CursorIndex() const { return m_cursorIndex; }

    // The value at the index, null past the end. The cursor moves there.
    T* At(int32_t index)
    {
        Node* node = NodeAt(index);
        return node ? &node->value : nullptr;
    }

    // Inserts before the node at the index; index = count appends. The new
    // node becomes the cursor. False when memory runs out.
    bool InsertAt(int32_t index, const T& value)
    {
        if (index < 0)
            index = 0;
        if (index > m_count)
            index = m_count;
        Node* node = new (std::nothrow) Node{value, nullptr, nullptr};
        if (!node)
            return false;
        if (index == m_count) {
            node->previous = m_tail;
            if (m_tail)
                m_tail->next = node;
            else
                m_head = node;
            m_tail = node;
        } else {
            Node* behind = NodeAt(index);
            node->next = behind;
            node->previous = behind->previous;
            if (behind->previous)
                behind->previous->next = node;
            else
                m_head = node;
            behind->previous = node;
        }
        ++m_count;
        m_cursor = node;
        m_cursorIndex = index;
        return true;
    }

    // Frees the node. The cursor stays on its node, whose index drops by
    // one when it lay behind the removed one; a removed cursor node hands
    // the cursor to its neighbour.
    bool RemoveAt(int32_t index)
    {
        if (index < 0)
            index = 0;
        Node* node = Find(index);
        if (!node)
            return false;
        if (node->previous)
            node->previous->next = node->next;
        else
            m_head = node->next;
        if (node->next)
            node->next->previous = node->previous;
        else
            m_tail = node->previous;
        if (node == m_cursor) {
            if (node->next) {
                m_cursor = node->next;
            } else if (node->previous) {
                m_cursor = node->previous;
                m_cursorIndex = index - 1;
            } else {
                m_cursor = nullptr;
                m_cursorIndex = -1;
            }
        } else if (m_cursor && m_cursorIndex > index) {
            --m_cursorIndex;
        }
        delete node;
        --m_count;
        return true;
    }

    void Clear()
    {
        Node* node = m_head;
        while (node) {
            Node* next = node->next;
            delete node;
            node = next;
        }
        m_head = m_tail = m_cursor = nullptr;
        m_count = 0;
        m_cursorIndex = -1;
    }

private:
    Node* NodeAt(int32_t index)
    {
        if (index < 0)
            index = 0;
        Node* node = Find(index);
        if (node) {
            m_cursor = node;
            m_cursorIndex = index;
        }
        return node;
    }

    // The node at the index, walking from the nearest of head, cursor and
    // tail; the cursor does not move.
    Node* Find(int32_t index) const
    {
        if (index >= m_count)
            return nullptr;
        Node* node = m_head;
        int32_t at = 0;
        int32_t distance = index;
        if (m_cursor) {
            const int32_t fromCursor = index > m_cursorIndex ? index - m_cursorIndex : m_cursorIndex - index;
            if (fromCursor < distance) {
                node = m_cursor;
                at = m_cursorIndex;
                distance = fromCursor;
            }
        }
        if (m_count - 1 - index < distance) {
            node = m_tail;
            at = m_count - 1;
        }
        while (at < index) {
            node = node->next;
            ++at;
        }
        while (at > index) {
            node = node->previous;
            --at;
        }
        return node;
    }

    Node* m_head = nullptr;
    Node* m_tail = nullptr;
    Node* m_cursor = nullptr;
    int32_t m_count = 0;
    int32_t m_cursorIndex = -1;
};
