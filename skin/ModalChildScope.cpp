#include "skin/ModalChildScope.h"
#include "skin/KelvoPageUIDlg.h"
#include "skin/SkinResourceScope.h"

CModalChildScope::CModalChildScope(CDialog& dialog, int slot)
    : m_pMain(CKelvoPageUIDlg::GetLive()), m_nSlot(slot), m_pPrevious(nullptr)
{
    if (!m_pMain || slot < 0 || slot >= CKelvoPageUIDlg::kChildDialogs) {
        m_pMain = nullptr;
        return;
    }
    m_pPrevious = m_pMain->m_pChildDialog[slot];
    m_pMain->m_pChildDialog[slot] = &dialog;
}

CModalChildScope::~CModalChildScope()
{
    // The main window object may have been replaced meanwhile; only a live one is touched.
    if (m_pMain && CKelvoPageUIDlg::GetLive() == m_pMain) m_pMain->m_pChildDialog[m_nSlot] = m_pPrevious;
}

INT_PTR CModalChildScope::RunSkinned(CDialog& dialog, int slot)
{
    CModalChildScope registered(dialog, slot);
    SkinResourceScope skin;
    return dialog.DoModal();
}
