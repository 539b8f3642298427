#pragma once
// One data loop of a report: walks its data set (or asks OnNeedData for
// records), prints group headers, the detail band and group footers per
// record, and runs the loops of its sub-details before or after each record.
#include <functional>
#include <vector>

class TDataSet;
class TReport;
class TRpController;
class TRpCustomBand;
class TRpGroup;
class TRpPrintable;

// What a data loop belongs to: the report, a controller band, or a
// free-standing controller.
class TRpControllerHost {
public:
    virtual ~TRpControllerHost() = default;
    virtual TRpController& Controller() = 0;
};

class TRpController : public TRpControllerHost {
public:
    // Null: a free-standing controller, its own host.
    explicit TRpController(TRpControllerHost* host = nullptr);

    TRpController& Controller() override { return *this; }
    // The host whose loop runs this one.
    TRpControllerHost* Master() const { return master_; }
    // Refused (the old master stays) when the chain of masters would come
    // back to this loop's host.
    bool SetMaster(TRpControllerHost* master);
    TDataSet* DataSet() const { return dataSet_; }
    void SetDataSet(TDataSet* dataSet) { dataSet_ = dataSet; }
    TRpCustomBand* Detail() const { return detail_; }
    void SetDetail(TRpCustomBand* band) { detail_ = band; }
    TRpCustomBand* Header() const { return header_; }
    void SetHeader(TRpCustomBand* band) { header_ = band; }
    TRpCustomBand* Footer() const { return footer_; }
    void SetFooter(TRpCustomBand* band) { footer_ = band; }
    bool PrintIfEmpty() const { return printIfEmpty_; }
    void SetPrintIfEmpty(bool print) { printIfEmpty_ = print; }
    // True: the loop runs before each record of its master's loop.
    bool PrintBefore() const { return printBefore_; }
    void SetPrintBefore(bool before) { printBefore_ = before; }

    // Supplies records when no data set drives the loop.
    std::function<void(TRpControllerHost& host, bool& moreData)> OnNeedData;

    // Records printed so far in this run.
    int DetailNumber() const { return detailNumber_; }
    TReport* ParentReport() const { return parentReport_; }

    // Gathers the groups and child loops of this loop's host, recursively.
    void Prepare(TReport& report);
    // The printable is told about each detail record.
    void AddNotifyClient(TRpPrintable& printable) { notifyClients_.push_back(&printable); }
    void Execute();

private:
    void PrintEmptyForm();
    // True when a group changed; the groups after it are marked changed too.
    bool CheckGroups();
    void PrintGroupFooters();
    void PrintDetail();
    void RunLoops(const std::vector<TRpController*>& loops);
    bool Advance(bool hasData);
    void ReportProgress(bool ownData, int recordCount);

    TRpControllerHost* master_ = nullptr;
    TDataSet* dataSet_ = nullptr;
    TRpCustomBand* detail_ = nullptr;
    TRpCustomBand* footer_ = nullptr;
    TRpCustomBand* header_ = nullptr;
    int detailNumber_ = 0;
    TReport* parentReport_ = nullptr;
    bool printIfEmpty_ = false;
    bool printBefore_ = false;
    TRpControllerHost* host_;
    std::vector<TRpGroup*> groups_;
    std::vector<TRpPrintable*> notifyClients_;
    std::vector<TRpController*> printAfterLoops_;
    std::vector<TRpController*> printBeforeLoops_;
};
