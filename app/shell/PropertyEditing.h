#pragma once

// The program's property editing: the page classes the component sheets choose from and the
// services their pages use. The main window owns it.

#include <functional>

#include "propui/PageFactory.h"
#include "propui/PropertyOwner.h"
#include "publish/CustomColors.h"

class CWnd;

// While it lives, new component objects get panels that use it.
class CPropertyEditing {
public:
    // importModel runs the Import Model dialog for a range pick made without a model.
    CPropertyEditing(CWnd* mainWindow, std::function<bool()> importModel);
    ~CPropertyEditing();
    CPropertyEditing(const CPropertyEditing&) = delete;
    CPropertyEditing& operator=(const CPropertyEditing&) = delete;

    // The libraries with page classes register them here.
    CPageClassRegistry& Pages() { return m_pages; }
    CPropertyPageContext& Context() { return m_context; }

private:
    CPageClassRegistry m_pages;
    CPropertyPageContext m_context;
    publish::CustomColorTable m_fallbackColors{};
};
