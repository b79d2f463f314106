#include "pages/BackgroundGeneralPage.h"

#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "model/PropertyMap.h"
#include "pages/PageKit.h"
#include "platform/dialogs/CommonDialogs.h"

#include <cstdint>

using namespace pages;

BEGIN_MESSAGE_MAP(CBackgroundGeneralPage, CFieldPage)
    .Command(IDC_USE_ART, &CBackgroundGeneralPage::OnUseArt)
    .Command(IDC_USE_FILE, &CBackgroundGeneralPage::OnUseFile) END_MESSAGE_MAP()

DialogTemplate CBackgroundGeneralPage::MakeTemplate()
{
    DialogTemplate t = PageTemplate(IDD, "General");
    t.Add("Button", "Type", IDC_TYPE_GROUP, 7, 7, 241, 110, kGroupStyle)
        .Add("Button", "Use Background Art", IDC_USE_ART, 14, 21, 120, 10, kCheckStyle)
        .Add("Button", "Use External file (jpg or swf)", IDC_USE_FILE, 14, 37, 140, 10, kCheckStyle)
        .Add("Static", "Filename", IDC_FILENAME_LABEL, 24, 55, 40, 8, kLabelStyle)
        .Add("Edit", "", IDC_FILENAME, 66, 53, 130, 13, kEditStyle | ES_READONLY)
        .Add("Button", "Import", IDC_IMPORT, 200, 52, 40, 14, kTab)
        .Add("Button", "Show Background Color", IDC_SHOW_BG_COLOR, 24, 74, 120, 10, kCheckStyle)
        .Add("Button", "Embed file", IDC_EMBED, 24, 90, 120, 10, kCheckStyle)
        .Add("Button", "Capture Mouse Events", IDC_CAPTURE_MOUSE, 14, 126, 120, 10, kCheckStyle);
    return t;
}

namespace {

CParameterSet* FileOf(const CFieldPage& page)
{
    const CParameter* file = page.FieldSet()->FindParameter("externalFile");
    return file != nullptr ? file->GetSet() : nullptr;
}

// The component shows the file: the switch is set and there is a file to show.
bool FileUsed(const CFieldPage& page)
{
    return BoolOf(page.FieldSet(), "useExternalFile") && FileOf(page) != nullptr;
}

bool IsSwf(const CFieldPage& page)
{
    const CParameter* type = FileOf(page) != nullptr ? FileOf(page)->FindParameter("bgType") : nullptr;
    return type != nullptr && type->GetString() == "swf";
}

std::vector<ParamField> Rows()
{
    using Page = CBackgroundGeneralPage;
    // Embedding and mouse capture change the published movie, not the stage; the document must
    // still be saved.
    FieldPolicy markOnly;
    markOnly.republish = false;
    ParamField art = OwnRow({Page::IDC_USE_ART}, {"artEnabled"});
    art.scope = FieldScope::Component;
    return {
        art,
        OwnRow({Page::IDC_USE_FILE}, {"useExternalFile"}),
        CommandRow(Page::IDC_IMPORT, [](CFieldPage& page) { static_cast<Page&>(page).OnImport(); }),
        EnabledWhen(OwnRow({Page::IDC_IMPORT, Page::IDC_FILENAME_LABEL, Page::IDC_FILENAME}, {}), FileUsed),
        // Only a movie has a background colour of its own to show.
        EnabledWhen(Within("externalFile", CheckRow(Page::IDC_SHOW_BG_COLOR, "bgBG")),
                    [](const CFieldPage& page) { return FileUsed(page) && IsSwf(page); }),
        EnabledWhen(Within("externalFile", CheckRow(Page::IDC_EMBED, "embed", markOnly)),
                    [](const CFieldPage& page) {
                        return FileUsed(page) && !static_cast<const Page&>(page).IsOurs();
                    }),
        CheckRow(Page::IDC_CAPTURE_MOUSE, "blockMouseEvents", markOnly),
    };
}

} // namespace

CBackgroundGeneralPage::CBackgroundGeneralPage(publish::ITempFileMaker& temporaries, SwfImportTip& tip)
    : CFieldPage("General", [](const CFieldPage&) { return MakeTemplate(); }, Rows(), {}),
      m_temporaries(temporaries), m_tip(tip)
{
}

CBackgroundGeneralPage::~CBackgroundGeneralPage()
{
    // Only a page that read the flag writes it back: a tab the user never opened must not
    // overwrite what an earlier opening learnt about the imported movie.
    if (m_opened) {
        if (CPropertyMap* map = GetOwnerPropertyMap()) {
            const std::uint8_t ours = m_ours ? 1 : 0;
            map->SetProperty(kOursKey, &ours, 1);
        }
    }
}

BOOL CBackgroundGeneralPage::Create(CParameterSet* group, const std::string& title, bool modal,
                                    IPropertyOwner* owner, CParameterSet* root)
{
    CFieldPage::Create(group, title, modal, owner, root);
    // The art's tiling is given back when the user returns from a file to the art.
    if (CParameter* tiling = FindInComponent(root, "tilingOptions"); tiling != nullptr && tiling->GetSet() != nullptr) {
        m_tileVertical = BoolOf(tiling->GetSet(), "tileMiddleVertical");
        m_tileHorizontal = BoolOf(tiling->GetSet(), "tileMiddleHorizontal");
    }
    return TRUE;
}

CParameterSet* CBackgroundGeneralPage::FileSet() const
{
    return FileOf(*this);
}

void CBackgroundGeneralPage::ShowPath()
{
    const CParameter* path = FileSet() != nullptr ? FileSet()->FindParameter("pathName") : nullptr;
    const std::string text = path != nullptr ? path->GetString() : std::string();
    m_fileName.SetWindowText(text);
    m_fileName.SetBaseline(text);
}

BOOL CBackgroundGeneralPage::OnInitDialog()
{
    CFieldPage::OnInitDialog();
    m_opened = true;
    std::uint8_t ours = 0;
    if (const CPropertyMap* map = GetOwnerPropertyMap())
        map->GetProperty(kOursKey, &ours, 1);
    m_ours = ours != 0;

    const CParameter* art = FindInComponent(GetRootSet(), "artEnabled");
    CheckDlgButton(IDC_USE_ART, art != nullptr && art->GetBool() ? BST_CHECKED : BST_UNCHECKED);
    EnableItems(*this, {IDC_USE_ART}, art != nullptr);

    ReplaceControl(m_fileName, IDC_FILENAME, GetDialogFont());
    ShowPath();
    CheckDlgButton(IDC_USE_FILE, FileUsed(*this) ? BST_CHECKED : BST_UNCHECKED);
    EnableItems(*this, {IDC_USE_FILE},
                FieldSet()->FindParameter("useExternalFile") != nullptr && FileSet() != nullptr);
    return TRUE;
}

void CBackgroundGeneralPage::SetTiling(bool vertical, bool horizontal)
{
    CParameter* tiling = FindInComponent(GetRootSet(), "tilingOptions");
    if (tiling == nullptr || tiling->GetSet() == nullptr)
        return;
    if (CParameter* v = tiling->GetSet()->FindParameter("tileMiddleVertical"))
        v->SetBool(vertical);
    if (CParameter* h = tiling->GetSet()->FindParameter("tileMiddleHorizontal"))
        h->SetBool(horizontal);
}

void CBackgroundGeneralPage::OnUseArt()
{
    const bool checked = IsDlgButtonChecked(IDC_USE_ART) == BST_CHECKED;
    if (CParameter* art = FindInComponent(GetRootSet(), "artEnabled"))
        art->SetBool(checked);
    if (checked && IsDlgButtonChecked(IDC_USE_FILE) == BST_CHECKED) {
        CheckDlgButton(IDC_USE_FILE, BST_UNCHECKED);
        if (CParameter* external = FieldSet()->FindParameter("useExternalFile"))
            external->SetBool(false);
    }
    SetTiling(m_tileVertical, m_tileHorizontal);
    ShowFields();
    // The art leaves no file to choose, whatever the file's switch says.
    EnableItems(*this, {IDC_IMPORT, IDC_FILENAME_LABEL, IDC_FILENAME}, false);
    NotifyOwnerChanged();
}

void CBackgroundGeneralPage::OnUseFile()
{
    const bool checked = IsDlgButtonChecked(IDC_USE_FILE) == BST_CHECKED;
    if (CParameter* external = FieldSet()->FindParameter("useExternalFile"))
        external->SetBool(checked);
    if (checked && IsDlgButtonChecked(IDC_USE_ART) == BST_CHECKED) {
        CheckDlgButton(IDC_USE_ART, BST_UNCHECKED);
        if (CParameter* art = FindInComponent(GetRootSet(), "artEnabled"))
            art->SetBool(false);
    }
    SetTiling(false, false);
    ShowFields();
    NotifyOwnerChanged();
}

void CBackgroundGeneralPage::OnImport()
{
    CParameterSet* file = FileSet();
    if (file == nullptr)
        return;
    CParameter* path = file->FindParameter("pathName");
    CFileDialog dialog(TRUE, nullptr, path != nullptr ? path->GetString().c_str() : "",
                       OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_OVERWRITEPROMPT, kFileFilter, this);
    if (dialog.DoModal() == IDOK) {
        const std::string chosen = dialog.GetPathName();
        const ExternalFileImportResult result = ImportExternalFile(chosen, *file, m_temporaries, m_tip, this);
        if (result.imported) {
            m_ours = result.ours;
            if (path != nullptr)
                path->SetString(chosen, true);
            if (result.ours)
                CheckDlgButton(IDC_EMBED, BST_UNCHECKED);
        }
    }
    // Whatever the dialog's answer, the user asked for a file: the component shows it.
    ReplaceControl(m_fileName, IDC_FILENAME, GetDialogFont());
    ShowPath();
    CheckDlgButton(IDC_USE_FILE, BST_CHECKED);
    OnUseFile();
}

int CBackgroundGeneralPage::GetHelpContextId()
{
    const CWnd* focus = CWnd::GetFocus();
    if (focus != nullptr && focus->GetDlgCtrlID() >= 12001)
        return 850;
    return 865;
}
