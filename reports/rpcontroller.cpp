#include "rpcontroller.h"

#include "rpreport.h"

#include "platform/dataset.h"

TRpController::TRpController(TRpControllerHost* host) : host_(host ? host : this) {}

bool TRpController::SetMaster(TRpControllerHost* master)
{
    for (TRpControllerHost* link = master; link; link = link->Controller().Master()) {
        if (link == host_)
            return false;
    }
    master_ = master;
    return true;
}

void TRpController::Prepare(TReport& report)
{
    parentReport_ = &report;
    groups_.clear();
    printBeforeLoops_.clear();
    printAfterLoops_.clear();
    const auto join = [this, &report](TRpController& loop) {
        if (loop.Master() != host_)
            return;
        (loop.PrintBefore() ? printBeforeLoops_ : printAfterLoops_).push_back(&loop);
        loop.parentReport_ = &report;
    };
    for (const auto& band : report.BandList()) {
        if (auto* loopBand = dynamic_cast<TRpControllerBand*>(band.get()))
            join(loopBand->Controller());
        else if (auto* group = dynamic_cast<TRpGroup*>(band.get()); group && group->Master() == host_)
            groups_.push_back(group);
    }
    for (const auto& loop : report.Controllers())
        join(*loop);
    notifyClients_.clear();
    for (TRpController* loop : printBeforeLoops_)
        loop->Prepare(report);
    for (TRpController* loop : printAfterLoops_)
        loop->Prepare(report);
    for (TRpGroup* group : groups_)
        group->Compile();
}

void TRpController::PrintEmptyForm()
{
    TReport& report = *parentReport_;
    report.MakeSpace(header_);
    report.PrintBand(header_);
    RunLoops(printBeforeLoops_);
    report.MakeSpace(footer_);
    report.PrintBand(footer_);
    RunLoops(printAfterLoops_);
}

bool TRpController::CheckGroups()
{
    bool changed = false;
    for (TRpGroup* group : groups_) {
        if (changed)
            group->Restart();
        else
            changed = group->Check();
    }
    return changed;
}

// Inner groups close before outer ones.
void TRpController::PrintGroupFooters()
{
    TReport& report = *parentReport_;
    for (auto group = groups_.rbegin(); group != groups_.rend(); ++group) {
        if (!(*group)->Changed() || !(*group)->FooterBand())
            continue;
        report.MakeSpace((*group)->FooterBand());
        report.PrintBand((*group)->FooterBand());
    }
}

void TRpController::RunLoops(const std::vector<TRpController*>& loops)
{
    for (TRpController* loop : loops)
        loop->Execute();
}

void TRpController::PrintDetail()
{
    TReport& report = *parentReport_;
    for (TRpGroup* group : groups_) {
        if (!group->Changed())
            continue;
        report.MakeSpace(group);
        report.PrintBand(group);
    }
    RunLoops(printBeforeLoops_);
    report.MakeSpace(detail_);
    for (TRpPrintable* client : notifyClients_)
        client->Notify();
    report.PrintBand(detail_);
    RunLoops(printAfterLoops_);
}

bool TRpController::Advance(bool hasData)
{
    bool moreData = false;
    if (hasData) {
        dataSet_->Next();
        moreData = !dataSet_->Eof();
    } else if (OnNeedData) {
        OnNeedData(*host_, moreData);
    }
    return moreData;
}

void TRpController::ReportProgress(bool ownData, int recordCount)
{
    if (ownData && recordCount != 0)
        parentReport_->RpPrinter()->SetProgress(detailNumber_ * 100 / recordCount);
}

void TRpController::Execute()
{
    const bool hasData = dataSet_ && dataSet_->Active();
    if (!parentReport_)
        return;
    if (!hasData && !OnNeedData) {
        if (printIfEmpty_)
            PrintEmptyForm();
        return;
    }
    TReport& report = *parentReport_;
    const bool ownData = hasData && dataSet_ == report.DataSet();
    const int recordCount = ownData ? report.RecordCount() : 1;
    bool moreData = true;
    if (hasData) {
        dataSet_->First();
        moreData = !dataSet_->Eof();
        if (!moreData && printIfEmpty_)
            PrintEmptyForm();
    } else {
        OnNeedData(*host_, moreData);
    }
    detailNumber_ = 0;
    CheckGroups();
    if (!moreData || !report.ProcessMessages())
        return;
    report.MakeSpace(header_);
    report.PrintBand(header_);
    if (report.PageNumber() == 1 && this == &report.Controller())
        report.PrintBand(report.BandByType(TRpBandType::rbColumnHeader));
    while (moreData) {
        if (!report.ProcessMessages())
            return;   // cancelled: no footers
        ++detailNumber_;
        PrintDetail();
        moreData = Advance(hasData);
        if (CheckGroups()) {
            // Footers show the last record of the group they close.
            if (hasData)
                dataSet_->Prior();
            PrintGroupFooters();
            if (hasData)
                dataSet_->Next();
        }
        ReportProgress(ownData, recordCount);
    }
    // Groups still open on the last record close now.
    for (TRpGroup* group : groups_)
        group->SetChanged(!group->Changed());
    PrintGroupFooters();
    report.MakeSpace(footer_);
    report.PrintBand(footer_);
}
