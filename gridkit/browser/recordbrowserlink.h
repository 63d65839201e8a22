#pragma once
// TRBDataLink: the record browser's view of its data source. It tells the
// browser when the dataset opens or closes and when its rows or its
// current row change (every scroll included).
#include "tabelle/sorgente.h"

namespace gridkit {

class TRecordBrowser;

class TRBDataLink : public tabelle::TDataLink {
public:
    explicit TRBDataLink(TRecordBrowser& browser);
    // Leaves the data source without telling the browser.
    ~TRBDataLink() override;

    void ActiveChanged() override;
    void DataSetChanged() override;

private:
    TRecordBrowser* browser_;
};

} // namespace gridkit
