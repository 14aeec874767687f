// Base of every model object and list: the unsaved-changes flag that rolls
// up to the project, ownership of listed objects, and the XML hooks.
#pragma once

#include "uXMLBaseObject.h"

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvadel {

class TBaseObject
{
public:
    TBaseObject() = default;
    TBaseObject(const TBaseObject &) = delete;
    TBaseObject &operator=(const TBaseObject &) = delete;
    virtual ~TBaseObject() = default;

    // A new tree describing the object; the caller owns it.
    std::unique_ptr<TXMLBaseObject> ToXML() const { return BuildXML(*this); }
    // The object's element; files are written from it without a tree.
    virtual void WriteXML(TXMLElementWriter &out) const;
    virtual void FromXML(const TXMLBaseObject &node);

    virtual bool IsModified() const { return Modified; }
    virtual void SetModified(bool flag) { Modified = flag; }
    virtual void ClearModified() { Modified = false; }

protected:
    // Compare, store, mark: the one way a property setter changes a field.
    template<class V, class U>
    void Assign(V &field, U &&value)
    {
        if (field == value)
            return;
        field = std::forward<U>(value);
        SetModified(true);
    }

    bool Modified = false;

private:
    // Made by the first base FromXML: every class stored in a file reads and
    // writes its own fields, and a node in each of thousands of objects would
    // only cost memory.
    std::unique_ptr<TXMLBaseObject> XmlNode;
};

// The kind a list row is filed under: a name written in the program, never
// read from a file, so a row keeps only where it stands.
class TRowKey
{
public:
    constexpr TRowKey() = default;
    template<size_t N>
    constexpr TRowKey(const char (&name)[N])
        : Name(name)
    { }
    constexpr operator std::string_view() const { return Name; }

private:
    const char *Name = "";
};

// An ordered list of (key, object) rows that owns its objects. Lists of
// thousands of rows are common, so a row is kept small.
template<class T>
class TBaseList
{
public:
    struct Row {
        TRowKey Key;
        std::unique_ptr<T> Object;
    };

    TBaseList() = default;
    TBaseList(const TBaseList &) = delete;
    TBaseList &operator=(const TBaseList &) = delete;
    virtual ~TBaseList() = default;

    int Count() const { return static_cast<int>(Rows.size()); }
    bool Empty() const { return Rows.empty(); }
    T *Objects(int index) const { return Rows.at(static_cast<size_t>(index)).Object.get(); }
    std::string_view Keys(int index) const { return Rows.at(static_cast<size_t>(index)).Key; }
    T *First() const { return Rows.empty() ? nullptr : Rows.front().Object.get(); }
    T *Last() const { return Rows.empty() ? nullptr : Rows.back().Object.get(); }

    // Room for `count` rows, when a reader knows how many are coming.
    void Reserve(int count) { Rows.reserve(static_cast<size_t>(std::max(count, 0))); }
    T *Add(std::unique_ptr<T> object, TRowKey key = {})
    {
        T *raw = object.get();
        Rows.push_back(Row{key, std::move(object)});
        return raw;
    }
    T *Insert(int index, std::unique_ptr<T> object, TRowKey key = {})
    {
        T *raw = object.get();
        Rows.insert(Rows.begin() + index, Row{key, std::move(object)});
        return raw;
    }
    int IndexOf(const T *object) const
    {
        for (int i = 0; i < Count(); ++i)
            if (Rows[static_cast<size_t>(i)].Object.get() == object)
                return i;
        return -1;
    }
    // First object for which pred holds, or nullptr.
    template<class Pred>
    T *FindIf(Pred pred) const
    {
        for (const auto &row : Rows)
            if (pred(*row.Object))
                return row.Object.get();
        return nullptr;
    }
    // Removes the row and hands its object to the caller.
    std::unique_ptr<T> Extract(int index)
    {
        auto object = std::move(Rows.at(static_cast<size_t>(index)).Object);
        Rows.erase(Rows.begin() + index);
        return object;
    }
    // Releases the object and removes its row.
    void Delete(int index) { Extract(index); }

    virtual bool IsModified() const
    {
        if (Modified)
            return true;
        return std::any_of(Rows.begin(), Rows.end(), [](const Row &row) { return row.Object->IsModified(); });
    }
    virtual void ClearModified()
    {
        Modified = false;
        for (auto &row : Rows)
            row.Object->ClearModified();
    }
    virtual void FreeAll() { Rows.clear(); }

    // Range over the objects, for (T *item : list).
    class Iterator
    {
    public:
        using Inner = typename std::vector<Row>::const_iterator;
        explicit Iterator(Inner it)
            : It(it)
        {
        }
        T *operator*() const { return It->Object.get(); }
        Iterator &operator++()
        {
            ++It;
            return *this;
        }
        bool operator!=(const Iterator &other) const { return It != other.It; }

    private:
        Inner It;
    };
    Iterator begin() const { return Iterator(Rows.begin()); }
    Iterator end() const { return Iterator(Rows.end()); }

    bool Modified = false;

protected:
    std::vector<Row> Rows;
};

} // namespace corvadel
