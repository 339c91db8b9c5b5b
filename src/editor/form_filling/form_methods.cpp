// The editor's public form-filling methods.
#include "editor/form_filling/form_index.h"
#include "editor/interface.h"

namespace editor {

void uTxm::T_Start(const QString &sBmp) {
    buildFormIndex(*m_surface, m_form, sBmp);
    syncViewFromSurface();
}

void uTxm::T_End() {
    endFormFilling(*m_surface, m_form);
    syncViewFromSurface();
}

QString uTxm::TvCelVL(int iNo, int nRw, int nCL) {
    return readFormCell(*m_surface, m_form, iNo, nRw, nCL);
}

void uTxm::TvCelVL(int iNo, int nRw, int nCL, const QString &sVL) {
    if (m_readOnly)
        return;
    if (writeFormCell(*m_surface, m_form, iNo, nRw, nCL, sVL))
        setBDcEdt(true);
}

void uTxm::T_TxFrDt(int iTf, const QByteArray &yDt) {
    if (m_readOnly)
        return;
    if (fillFormFrame(*m_surface, m_form, iTf, yDt))
        setBDcEdt(true);
}

void uTxm::T_TxFdTx(int iFd, const QString &sTxt) {
    if (m_readOnly)
        return;
    if (fillFormFieldText(*m_surface, m_form, iFd, sTxt))
        setBDcEdt(true);
}

void uTxm::T_TxFdPc(int iFd, const QString &sPcFL) {
    if (m_readOnly)
        return;
    if (fillFormFieldPicture(*m_surface, m_form, iFd, sPcFL))
        setBDcEdt(true);
}

} // namespace editor
