#pragma once

// The objects selected on the canvas, in the order they were selected. The view paints and
// invalidates around it; the multiple selection's sheet edits the objects together when they
// are of one kind.

#include <cstddef>
#include <vector>

class CDrawObj;

class CCanvasSelection {
public:
    const std::vector<CDrawObj*>& Objects() const { return m_objects; }
    bool empty() const { return m_objects.empty(); }
    std::size_t size() const { return m_objects.size(); }
    CDrawObj* front() const { return m_objects.front(); }
    auto begin() const { return m_objects.begin(); }
    auto end() const { return m_objects.end(); }

    bool Contains(const CDrawObj* obj) const;
    // Adds an object not selected yet; a hidden component is never selected. True when added.
    bool Add(CDrawObj* obj);
    // True when the object was selected.
    bool Remove(const CDrawObj* obj);
    void Clear() { m_objects.clear(); }
    // The selected objects in the order of `order` (the document's, back to front).
    void SortBy(const std::vector<CDrawObj*>& order);

    // Whether every object is a component of one instance and all share one definition (the
    // line charts count as one kind).
    bool IsOneKind() const;

private:
    std::vector<CDrawObj*> m_objects;
};
