#pragma once

#include <cstddef>

// Singly linked list of borrowed pointers addressed by a 0-based index. It never deletes the
// items; whoever put them in owns them.
class List {
public:
    List() = default;
    ~List() { RemoveAll(); }
    List(const List&) = delete;
    List& operator=(const List&) = delete;

    // Appends at the tail; returns the new count.
    int AddItem(void* item);
    // The item at index, or null at or past the count.
    void* GetItem(int index) const;
    // Unlinks the item at index; false when there is none.
    bool RemoveAt(int index);
    // Unlinks the first node holding item; false when it is not in the list.
    bool RemoveItem(void* item);
    void RemoveAll();
    int GetCount() const { return count_; }

private:
    struct Node {
        void* item;
        Node* next;
    };
    Node* head_ = nullptr;
    Node* tail_ = nullptr;
    int count_ = 0;
};
