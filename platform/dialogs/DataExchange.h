#pragma once

#include "platform/window/Messages.h"

#include <exception>
#include <string>

class CWnd;

// Thrown by a failed exchange; UpdateData catches it and reports failure.
class CUserException : public std::exception {
public:
    const char* what() const noexcept override { return "dialog data exchange failed"; }
};

// One direction of dialog data exchange: from the controls into the members (save) or from
// the members into the controls. A failing field tells the user, puts the focus on the
// control and stops the exchange.
class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate)
    {
    }

    CWnd* PrepareCtrl(int id);
    CWnd* PrepareEditCtrl(int id);
    [[noreturn]] void Fail();

    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;
    int m_idLastControl = 0;
    bool m_bEditLastControl = false;
};

// Texts and numbers in edits; numbers use the C locale and must be whole fields.
void DDX_Text(CDataExchange* pDX, int id, std::string& value);
void DDX_Text(CDataExchange* pDX, int id, int& value);
void DDX_Text(CDataExchange* pDX, int id, double& value);
// Check boxes (0, 1, 2), the index of the checked radio button of a group, list selections.
void DDX_Check(CDataExchange* pDX, int id, int& value);
void DDX_Radio(CDataExchange* pDX, int firstId, int& value);
void DDX_CBIndex(CDataExchange* pDX, int id, int& index);
void DDX_CBString(CDataExchange* pDX, int id, std::string& value);
void DDX_LBIndex(CDataExchange* pDX, int id, int& index);
// Takes over the dialog item with this C++ control object (once).
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minimum, int maximum);
void DDV_MaxChars(CDataExchange* pDX, const std::string& value, int maximum);
