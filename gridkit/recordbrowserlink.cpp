#include "gridkit/recordbrowserlink.h"

#include "gridkit/recordbrowser.h"

namespace gridkit {

TRBDataLink::TRBDataLink(TRecordBrowser& browser) : browser_(&browser) {}

TRBDataLink::~TRBDataLink()
{
    browser_ = nullptr;
    SetDataSource(nullptr);
}

void TRBDataLink::ActiveChanged()
{
    if (browser_)
        browser_->Refresh(Active());
}

void TRBDataLink::DataSetChanged()
{
    if (browser_)
        browser_->Refresh(true);
}

} // namespace gridkit
