// The entry-field cores under a little program of operations decoded from the
// input: typed keys, editing commands and mouse positions mixed with what a
// dialog may do (change the data type, mask, length, range and value, take
// and leave the focus, restore). Without a display: the cores need none.
// Whatever the user does never raises; the program's own calls raise only the
// framework's exceptions; after every step the text, caret and selection
// still fit the field.
#include "controls/daynumbers.h"
#include "controls/efnumeric.h"
#include "controls/efpicture.h"
#include "controls/efsimple.h"
#include "controls/intlsup.h"
#include "platform/datetime.h"
#include "platform/ui/messagebox.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// CP_FUZZ_TRACE set: each step and the field after it, to read a finding.
const bool gTrace = qEnvironmentVariableIsSet("CP_FUZZ_TRACE");

// Boxes and beeps are not shown: the fuzzer has no display.
class SilentBoxes : public MessageBoxes {
public:
    MsgResult Show(const MessageRequest&) override { return MsgResult::Ok; }
    void Beep() override {}
};

class Input {
public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool More() const { return at_ < size_; }
    quint8 Byte() { return at_ < size_ ? data_[at_++] : 0; }
    quint16 Word() { return static_cast<quint16>(Byte() | (Byte() << 8)); }
    qint32 Int() { return static_cast<qint32>(Word() | (static_cast<quint32>(Word()) << 16)); }
    double Real()
    {
        quint64 bits = 0;
        for (int i = 0; i < 8; ++i)
            bits |= static_cast<quint64>(Byte()) << (8 * i);
        double value = 0.0;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    // A short text: its length, then its bytes as Latin-1.
    QString Text(int longest)
    {
        const int length = Byte() % (longest + 1);
        QString text;
        for (int i = 0; i < length; ++i)
            text += QChar(Byte());
        return text;
    }
    // Mostly characters that mean something in masks and numbers.
    QString MaskText()
    {
        static const char kAlphabet[] = "!#123456789ABDEHKLMNOSXYabdhilmnstxy$,.cCpg/:- 0yyyyMMddhhmmss";
        const int length = Byte() % 24;
        QString text;
        for (int i = 0; i < length; ++i) {
            const quint8 b = Byte();
            text += b < 224 ? QChar(kAlphabet[b % (sizeof kAlphabet - 1)]) : QChar(b);
        }
        return text;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

// A picture field laid out as plain text shows each literal of its mask as it
// stands, whatever was typed, pasted, deleted or restored.
bool LiteralsKept(const TEfFieldCore& core)
{
    const QString mask = core.MaskText();
    const bool plain = core.Family() == TEfFamily::Picture && core.DataType() != dtDate &&
                       core.DataType() != dtTime && !mask.contains(QRegularExpression(QStringLiteral("[$,.cC]")));
    if (!plain)
        return true;
    static const QString kEditable = QStringLiteral("!#123456789ABDEHKLMNOSXYabdhilmnstxy");
    for (int i = 0; i < mask.size() && i < core.Text().size(); ++i)
        if (mask[i].unicode() >= 32 && mask[i].unicode() < 128 && !kEditable.contains(mask[i]) &&
            core.Text()[i] != mask[i])
            return false;
    return true;
}

bool Fits(const TEfFieldCore& core)
{
    const int length = static_cast<int>(core.Text().size());
    if (core.Family() != TEfFamily::Simple && length != core.MaxLength())
        return false;
    if (length > core.MaxLength() || core.MaxLength() < 1 || core.MaxLength() > 255)
        return false;
    const int lastCaret = core.Family() == TEfFamily::Simple ? length : core.MaxLength();
    return core.Caret() >= 0 && core.Caret() <= lastCaret && core.SelStart() >= 0 &&
           core.SelStart() <= core.SelEnd() && core.SelEnd() <= length;
}

// The program's own calls: the framework's exceptions are its answer to a bad call.
template <typename Work>
void ProgramCall(Work&& work)
{
    try {
        work();
    } catch (const EEfException&) {
    }
}

constexpr quint16 kCommands[] = {
    ccBack, ccCompleteDate, ccCompleteTime, ccCopy, ccCtrlChar, ccCut, ccDec, ccDel, ccDelBol, ccDelEol,
    ccDelLine, ccDelWord, ccDown, ccEnd, ccExtendEnd, ccExtendHome, ccExtendLeft, ccExtendRight,
    ccExtWordLeft, ccExtWordRight, ccHome, ccInc, ccIns, ccLeft, ccRestore, ccRight, ccUndo, ccUp,
    ccWordLeft, ccWordRight, ccPlainKey, ccBrokenSequence, ccFirstOfTwo, ccTab, ccNewLine, 300,
};

void Run(TEfFieldCore& core, Input& in)
{
    auto* picture = dynamic_cast<TEfPictureFieldCore*>(&core);
    auto* numeric = dynamic_cast<TEfNumericFieldCore*>(&core);
    auto* simple = dynamic_cast<TEfSimpleFieldCore*>(&core);
    for (int steps = 0; in.More() && steps < 400; ++steps) {
        const quint8 op = in.Byte();
        switch (op % 24) {
        case 0: case 1: case 2: case 3: case 4: {
            const quint8 c = in.Byte();
            core.TypeText(QString(QChar(c < 128 ? c : QChar(0x20AC).unicode() + c - 128)));
            break;
        }
        case 5: case 6: case 7:
            core.Command(kCommands[in.Byte() % std::size(kCommands)]);
            break;
        case 8: {
            const quint16 command = std::array<quint16, 3>{ccMouseCaret, ccMouseExtend, ccDblClick}[in.Byte() % 3];
            const int position = static_cast<qint8>(in.Byte());
            core.Command(TEfEditInput{command, {}, {}, position, (op & 0x80) != 0});
            break;
        }
        case 9:
            core.Paste(in.Text(40));
            break;
        case 10:
            ProgramCall([&] { core.SetMaxLength(static_cast<int>(in.Word() % 300) - 20); });
            break;
        case 11: {
            const QString mask = in.MaskText();
            if (picture)
                ProgramCall([&] { picture->SetPictureMask(mask); });
            else if (numeric)
                ProgramCall([&] { numeric->SetPictureMask(mask); });
            else if (!mask.isEmpty())
                ProgramCall([&] { simple->SetPictureMask(mask.front()); });
            break;
        }
        case 12: {
            const quint8 type = in.Byte();
            if (picture)
                ProgramCall([&] { picture->SetDataType(static_cast<TPictureDataType>(type % 16)); });
            else if (numeric)
                ProgramCall([&] { numeric->SetDataType(static_cast<TNumericDataType>(type % 10)); });
            else
                ProgramCall([&] { simple->SetDataType(static_cast<TSimpleDataType>(type % 14)); });
            break;
        }
        case 13: {
            const double lo = (op & 0x80) ? in.Real() : static_cast<double>(in.Int() % 100000);
            const double hi = (op & 0x80) ? in.Real() : lo + in.Word();
            ProgramCall([&] { core.SetRange(lo, hi); });
            break;
        }
        case 14: {
            const QString text = in.Text(12);
            ProgramCall([&] { (op & 0x80) ? core.SetRangeHi(text) : core.SetRangeLo(text); });
            break;
        }
        case 15: {
            const quint8 kind = in.Byte() % 7;
            const double real = kind == 0 ? in.Real() : 0.0;
            const qint32 integer = kind >= 1 && kind <= 4 ? in.Int() : 0;
            const QString text = kind >= 5 ? in.Text(30) : QString();
            ProgramCall([&] {
                switch (kind) {
                case 0: core.SetFloatValue(real); break;
                case 1: core.SetIntegerValue(integer); break;
                case 2: core.SetDayNumber(integer % 900000); break;
                case 3: core.SetSeconds(integer % 90000); break;
                case 4: core.SetDateTimeValue(static_cast<double>(integer % 1000000) / 7.0); break;
                case 5: core.SetTextValue(text); break;
                default: core.ClearText(); break;
                }
            });
            break;
        }
        case 16:
            core.FocusGained((op & 0x80) != 0);
            break;
        case 17: {
            const auto target = static_cast<TEfLeaveTarget>(in.Byte() % 3);
            core.FocusLeaving(target, (op & 0x80) == 0);
            break;
        }
        case 18: {
            const double delta = (op & 0x80) ? in.Real() : static_cast<double>(static_cast<qint8>(in.Byte()));
            const bool wrap = (in.Byte() & 1) != 0;
            (op & 0x40) ? core.IncreaseValue(wrap, delta) : core.DecreaseValue(wrap, delta);
            break;
        }
        case 19:
            core.RestoreText();
            break;
        case 20: {
            const quint8 option = in.Byte();
            const bool on = (option & 0x80) != 0;
            switch (option % 12) {
            case 0: core.SetInsertPushes(on); break;
            case 1: core.SetRightJustify(on); break;
            case 2: core.SetTrimBlanks(on); break;
            case 3: core.SetForceInsert(on); break;
            case 4: core.SetForceOvertype(on); break;
            case 5: core.SetStripLiterals(on); break;
            case 6: core.PasswordMode = on; break;
            case 7: core.PadChar = on ? QLatin1Char('_') : QLatin1Char(' '); break;
            case 8: core.SetUninitialized(on); break;
            case 9: core.ReadOnly = on; break;
            case 10: core.AutoSelect = on; break;
            default: core.DecimalPlaces = option % 20; break;
            }
            break;
        }
        case 21: {
            const int start = static_cast<qint8>(in.Byte());
            const int end = static_cast<qint8>(in.Byte());
            (op & 0x80) ? core.SetSelection(start, end) : core.PlaceCaret(start);
            break;
        }
        case 22: {
            // What a dialog reads.
            core.DisplayText();
            core.SelectedText();
            core.IsFieldBlank();
            // A date or time that passes its check reads as one, or as none.
            if (const quint16 code = core.Validate(); core.DataType() == dtDate || core.DataType() == dtTime) {
                core.DateTimeValue();
                if (code == 0 && core.LastError() != 0)
                    std::abort();
            }
            ProgramCall([&] { core.TextValue(); });
            ProgramCall([&] { core.DateTimeValue(); });
            ProgramCall([&] { core.FloatValue(); });
            ProgramCall([&] { core.IntegerValue(); });
            break;
        }
        default: {
            const quint8 what = in.Byte();
            if (what & 1)
                core.SetEpoch(1600 + in.Word() % 2500);
            else if (picture)
                ProgramCall([&] { picture->SetInitDateTime((what & 2) != 0); });
            else
                core.SetEpoch(0);
            break;
        }
        }
        if (gTrace)
            std::fprintf(stderr, "op %d: text \"%s\" length %d caret %d selection %d..%d mask \"%s\" type %d\n",
                         op % 24, qPrintable(core.Text()), core.MaxLength(), core.Caret(), core.SelStart(),
                         core.SelEnd(), qPrintable(core.MaskText()), int(core.DataType()));
        if (!Fits(core) || !LiteralsKept(core))
            std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    new QCoreApplication(*argc, *argv);
    static SilentBoxes boxes;
    InstallMessageBoxes(&boxes);
    Clock::SetFixed(QDateTime(QDate(2024, 2, 29), QTime(23, 59, 30)));
    SetCurrentYearMonth(2024, 2);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 4096 || size == 0)
        return 0;
    // The settings of a US desktop, or of one with a decimal comma, a
    // currency after the amount and a 24-hour clock.
    IntlSettings settings;
    if (data[0] & 0x80) {
        settings.currency = QStringLiteral("kr");
        settings.currencyForm = 3;
        settings.decimal = QStringLiteral(",");
        settings.thousand = QStringLiteral(".");
        settings.am.clear();
        settings.pm.clear();
        settings.shortDate = QStringLiteral("dd.MM.yyyy");
        settings.dateSeparator = QStringLiteral(".");
    }
    IntlSup() = TEfIntlSup(settings);
    TEfController controller;
    Input in(data + 1, size - 1);
    std::unique_ptr<TEfFieldCore> core;
    switch (data[0] % 3) {
    case 0: core = std::make_unique<TEfPictureFieldCore>(&controller); break;
    case 1: core = std::make_unique<TEfNumericFieldCore>(&controller); break;
    default: core = std::make_unique<TEfSimpleFieldCore>(&controller); break;
    }
    Run(*core, in);
    return 0;
}
