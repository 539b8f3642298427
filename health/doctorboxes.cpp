#include "doctorboxes.h"

#include "controls/typinglimit.h"
#include "records/common/bizaddr.h"
#include "records/common/dlgbusinessaddr.h"
#include "records/common/lookuplists.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>
#include <algorithm>

void TDoctorBoxes::Add(QComboBox* box)
{
    boxes_.push_back({box, 0});
}

QComboBox* TDoctorBoxes::NewBox(int limit)
{
    auto* box = new QComboBox;
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    LimitTyping(*box->lineEdit(), limit);
    Add(box);
    return box;
}

QToolButton* TDoctorBoxes::NewAddressButton()
{
    auto* button = new QToolButton;
    button->setText(QStringLiteral("..."));
    button->setToolTip(QStringLiteral("Address"));
    return button;
}

QHBoxLayout* TDoctorBoxes::Row(QComboBox* box, QToolButton* address)
{
    auto* row = new QHBoxLayout;
    row->addWidget(box, 1);
    row->addWidget(address);
    return row;
}

TDoctorBoxes::Box* TDoctorBoxes::Find(const QComboBox* box)
{
    auto found = std::find_if(boxes_.begin(), boxes_.end(), [box](const Box& b) { return b.box == box; });
    return found == boxes_.end() ? nullptr : &*found;
}

const TDoctorBoxes::Box* TDoctorBoxes::Find(const QComboBox* box) const
{
    return const_cast<TDoctorBoxes*>(this)->Find(box);
}

qint32 TDoctorBoxes::Id(const QComboBox* box) const
{
    const Box* found = Find(box);
    return found ? found->id : 0;
}

void TDoctorBoxes::SetId(const QComboBox* box, qint32 id)
{
    if (Box* found = Find(box))
        found->id = id;
}

void TDoctorBoxes::ShowText(QComboBox& box, const QString& text)
{
    const int index = box.findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    box.setCurrentIndex(index);
    if (index < 0)
        box.setEditText(text);
}

void TDoctorBoxes::RefillAll()
{
    if (boxes_.empty())
        return;
    // The businesses are read once, into the first box; the others copy it.
    QComboBox& source = *boxes_.front().box;
    const QString sourceText = source.currentText();
    RefillBizAddrCombo(source, kDoctorsCategory);
    ShowText(source, sourceText);
    for (auto b = boxes_.begin() + 1; b != boxes_.end(); ++b) {
        const QString text = b->box->currentText();
        b->box->clear();
        for (int i = 0; i < source.count(); ++i)
            b->box->addItem(source.itemText(i), source.itemData(i));
        ShowText(*b->box, text);
    }
}

void TDoctorBoxes::QuickAdd(QComboBox& box)
{
    const QString name = box.currentText();
    if (name.isEmpty())
        return;
    const bool known = FindBizAddrId(name, kDoctorsCategory) != 0;
    SetId(&box, FindOrAppendBizAddr(name, kDoctorsCategory));
    if (!known)
        RefillAll();
}

void TDoctorBoxes::EditAddress(QComboBox& box)
{
    const QString name = box.currentText();
    qint32 id = name.isEmpty() ? 0 : FindBizAddrId(name, kDoctorsCategory);
    if (!EditBusinessAddr(name, kDoctorsCategory, id))
        return;
    SetId(&box, id);
    RefillAll();
    SelectComboById(box, id);
}
