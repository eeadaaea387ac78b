#pragma once
// CCursorList<T>: a doubly linked list that remembers the node reached last
// by an indexed access (the cursor), so that walking it by increasing (or
// decreasing) index costs one step per index. The element lives inside its
// node; nodes are allocated one by one.
//
// Index rules: -1 is taken as 0 by LinkAt, InsertAt and RemoveAt; indexes
// are otherwise checked (an index past the end reads nothing, removes
// nothing; inserting past the end appends).
#include <cstdint>
#include <new>
#include <utility>

template <typename T>
class CCursorList {
public:
    struct Node {
        T element;
        Node* next = nullptr;
        Node* prev = nullptr;
    };

    constexpr CCursorList() = default;
    CCursorList(const CCursorList&) = delete;
    CCursorList& operator=(const CCursorList&) = delete;
    ~CCursorList() { RemoveAll(); }

    int32_t Count() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }
    Node* Head() const { return m_head; }
    // The last node, reached from the nearer of head and cursor (the cursor
    // does not move); walk back from it with prev.
    Node* Tail() { return m_count > 0 ? *LinkAt(m_count - 1) : nullptr; }
    Node* Cursor() const { return m_cursor; }
    int32_t CursorIndex() const { return m_cursorIndex; }

    // The address of the link that points to the node at index: the head
    // field for 0, else the next field of node index-1. index = count gives
    // the link behind the last node. Does not move the cursor.
    Node** LinkAt(int32_t index)
    {
        if (index < 0)
            index = 0;
        if (index > m_count)
            index = m_count;
        if (index == 0)
            return &m_head;
        if (m_cursor) {
            if (index == m_cursorIndex)
                return &m_cursor->prev->next;
            const int32_t distance = index > m_cursorIndex ? index - m_cursorIndex : m_cursorIndex - index;
            if (distance < index) {
                Node* node = m_cursor;
                if (index <= m_cursorIndex) {
                    for (int32_t steps = m_cursorIndex - index + 1; steps > 0; --steps)
                        node = node->prev;
                } else {
                    for (int32_t steps = index - 1 - m_cursorIndex; steps > 0; --steps)
                        node = node->next;
                }
                return &node->next;
            }
        }
        Node* node = m_head;
        for (int32_t steps = index - 1; steps > 0; --steps)
            node = node->next;
        return &node->next;
    }

    // The node at index, moving the cursor there; null when out of range.
    Node* NodeAt(int32_t index)
    {
        if (index < 0 || index >= m_count)
            return nullptr;
        Node* node = *LinkAt(index);
        m_cursor = node;
        m_cursorIndex = index;
        return node;
    }
    T* GetAt(int32_t index)
    {
        Node* node = NodeAt(index);
        return node ? &node->element : nullptr;
    }

    // Inserts before the node now at index (index >= count appends) and
    // makes the new node the cursor. False when no node could be allocated.
    bool InsertAt(const T& element, int32_t index)
    {
        if (index < 0)
            index = 0;
        if (index > m_count)
            index = m_count;
        Node* node = new (std::nothrow) Node{element, nullptr, nullptr};
        if (!node)
            return false;
        Node** link = LinkAt(index);
        Node* following = *link;
        node->next = following;
        if (following) {
            node->prev = following->prev;
            following->prev = node;
        } else if (index > 0) {
            node->prev = *LinkAt(index - 1);  // appending: behind the last node
        }
        *link = node;
        ++m_count;
        m_cursor = node;
        m_cursorIndex = index;
        return true;
    }
    bool AddHead(const T& element) { return InsertAt(element, 0); }
    bool AddTail(const T& element) { return InsertAt(element, m_count); }

    // Unlinks and frees the node at index. The cursor follows: removing the
    // cursor node moves it to the successor at the same index; removing a
    // node before it lowers the cursor index.
    bool RemoveAt(int32_t index)
    {
        if (index < 0)
            index = 0;
        if (index >= m_count)
            return false;
        Node** link = LinkAt(index);
        Node* node = *link;
        Unlink(link, node);
        if (node == m_cursor) {
            m_cursor = node->next;
            if (!m_cursor)
                m_cursorIndex = -1;
        } else if (index < m_cursorIndex) {
            --m_cursorIndex;
        }
        delete node;
        return true;
    }

    void RemoveAll()
    {
        while (m_head) {
            Node* node = m_head;
            m_head = node->next;
            delete node;
        }
        m_count = 0;
        m_cursor = nullptr;
        m_cursorIndex = -1;
    }

    // Moves the node at index to the front; it becomes the cursor.
    bool MoveToFront(int32_t index)
    {
        if (index < 0 || index >= m_count)
            return false;
        Node** link = LinkAt(index);
        Node* node = *link;
        if (index > 0) {
            Unlink(link, node);
            node->prev = nullptr;
            node->next = m_head;
            if (m_head)
                m_head->prev = node;
            m_head = node;
            ++m_count;
        }
        m_cursor = node;
        m_cursorIndex = 0;
        return true;
    }

    // Index of the first element equal to value, or -1 (cursor unchanged).
    template <typename U>
    int32_t IndexOf(const U& value) const
    {
        int32_t index = 0;
        for (Node* node = m_head; node; node = node->next, ++index)
            if (node->element == value)
                return index;
        return -1;
    }

private:
    void Unlink(Node** link, Node* node)
    {
        if (node->next)
            node->next->prev = node->prev;
        *link = node->next;
        --m_count;
    }

    Node* m_head = nullptr;
    int32_t m_count = 0;
    Node* m_cursor = nullptr;
    int32_t m_cursorIndex = -1;
};
