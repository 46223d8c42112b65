#pragma once

#include <memory>
#include <stdexcept>
#include <vector>

// A list that owns its elements; elements are addressed by their 0-based index,
// which is also the number in their stream names.
template <typename T> class mTOwnedList {
public:
    int Add() {
        items_.push_back(std::make_unique<T>());
        return int(items_.size()) - 1;
    }
    int Add(std::unique_ptr<T> item) {
        items_.push_back(std::move(item));
        return int(items_.size()) - 1;
    }
    T& Get(int index) { return *items_.at(std::size_t(index)); }
    const T& Get(int index) const { return *items_.at(std::size_t(index)); }
    int Count() const { return int(items_.size()); }
    // An index without an element is refused like Get's, and the list stays as it was.
    void Remove(int index) {
        if (index < 0 || std::size_t(index) >= items_.size())
            throw std::out_of_range("mTOwnedList::Remove");
        items_.erase(items_.begin() + index);
    }
    void Clear() { items_.clear(); }

    // Iteration over the elements themselves.
    template <typename It, typename V> class Iter {
    public:
        explicit Iter(It it) : it_(it) {}
        V& operator*() const { return **it_; }
        V* operator->() const { return it_->get(); }
        Iter& operator++() {
            ++it_;
            return *this;
        }
        bool operator!=(const Iter& o) const { return it_ != o.it_; }
        bool operator==(const Iter& o) const { return it_ == o.it_; }

    private:
        It it_;
    };
    using iterator = Iter<typename std::vector<std::unique_ptr<T>>::iterator, T>;
    using const_iterator = Iter<typename std::vector<std::unique_ptr<T>>::const_iterator, const T>;
    iterator begin() { return iterator(items_.begin()); }
    iterator end() { return iterator(items_.end()); }
    const_iterator begin() const { return const_iterator(items_.begin()); }
    const_iterator end() const { return const_iterator(items_.end()); }

private:
    std::vector<std::unique_ptr<T>> items_;
};
