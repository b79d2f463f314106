#include "model/List.h"

int List::AddItem(void* item)
{
    Node* node = new Node{item, nullptr};
    if (tail_) {
        tail_->next = node;
    } else {
        head_ = node;
    }
    tail_ = node;
    return ++count_;
}

void* List::GetItem(int index) const
{
    if (index < 0) {
        return nullptr;
    }
    Node* node = head_;
    for (; node && index > 0; --index) {
        node = node->next;
    }
    return node ? node->item : nullptr;
}

bool List::RemoveAt(int index)
{
    if (index < 0 || index >= count_) {
        return false;
    }
    Node* previous = nullptr;
    Node* node = head_;
    for (; index > 0; --index) {
        previous = node;
        node = node->next;
    }
    (previous ? previous->next : head_) = node->next;
    if (tail_ == node) {
        tail_ = previous;
    }
    delete node;
    --count_;
    return true;
}

bool List::RemoveItem(void* item)
{
    int index = 0;
    for (Node* node = head_; node; node = node->next, ++index) {
        if (node->item == item) {
            return RemoveAt(index);
        }
    }
    return false;
}

void List::RemoveAll()
{
    while (head_) {
        Node* next = head_->next;
        delete head_;
        head_ = next;
    }
    tail_ = nullptr;
    count_ = 0;
}
