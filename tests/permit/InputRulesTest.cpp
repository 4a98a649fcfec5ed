// What typing and pasting do in each box: the digits-only filter, the
// commission's ASCII upper-casing, the upper-case boxes, the limits, the
// code page, and inline completion in the choice boxes.

#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>

#include "EntryWindowFixture.h"
#include "TMemo.h"

namespace {

class InputRules : public EntryWindowTest {
 protected:
  void SetUp() override {
    EntryWindowTest::SetUp();
    ShowAndActivate();
  }
  QWidget* Control(const char* name) { return form_->findChild<QWidget*>(name); }
  // The line edit that holds a control's text (a choice box's inner one).
  QLineEdit* EditOf(const char* name) {
    if (auto* box = qobject_cast<QComboBox*>(Control(name))) return box->lineEdit();
    return qobject_cast<QLineEdit*>(Control(name));
  }
  QString TextOf(const char* name) {
    QWidget* w = Control(name);
    if (auto* box = qobject_cast<QComboBox*>(w)) return box->currentText();
    if (auto* memo = qobject_cast<TMemo*>(w)) return memo->Text();
    return qobject_cast<QLineEdit*>(w)->text();
  }
  // Clicks into the control, as the person does before typing. An editable
  // choice box takes the keyboard focus itself, not its inner line edit.
  void ClickInto(const char* name) {
    QWidget* control = Control(name);
    QTest::mouseClick(form_->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      control->mapTo(form_.get(), control->rect().center()));
    ASSERT_EQ(QApplication::focusWidget(), control) << name;
  }
  void Type(const char* name, const QString& text) {
    ClickInto(name);
    TypeAtFocus(text);
  }
  void Paste(const char* name, const QString& text) {
    QApplication::clipboard()->setText(text);
    if (QLineEdit* edit = EditOf(name))
      edit->paste();  // the context menu's Paste
    else
      qobject_cast<TMemo*>(Control(name))->paste();
  }
};

// Every upper-case box converts each letter entering it by the locale's
// rules, accented letters included, typed or pasted.
const char* const kUpperBoxes[] = {"Conductor", "Placa",   "Tipo",  "Titular",    "Admon",
                                   "Marca",     "Destino", "Color", "Dependencia"};

TEST_F(InputRules, UpperCaseBoxes) {
  for (const char* name : kUpperBoxes) {
    SCOPED_TRACE(name);
    Type(name, QStringLiteral("ñandú"));
    EXPECT_EQ(TextOf(name), QStringLiteral("ÑANDÚ"));
    EditOf(name)->clear();
    Paste(name, QStringLiteral("vía ñ 2"));
    EXPECT_EQ(TextOf(name), QStringLiteral("VÍA Ñ 2"));
  }
}

TEST_F(InputRules, CommissionUpperCasesTypedAsciiLettersOnly) {
  Type("Comision", QStringLiteral("ñandú"));
  EXPECT_EQ(TextOf("Comision"), QStringLiteral("ñANDú"));
  form_->Comision->clear();
  // Enter starts a new line; the stored text has CR LF there.
  Type("Comision", QStringLiteral("ab\rc1"));
  EXPECT_EQ(TextOf("Comision"), QStringLiteral("AB\r\nC1"));
  // Pasted text keeps its case.
  form_->Comision->clear();
  Paste("Comision", QStringLiteral("texto pegado"));
  EXPECT_EQ(TextOf("Comision"), QStringLiteral("texto pegado"));
  // The handler itself, on every kind of character.
  const struct {
    char16_t in, out;
  } cases[] = {{u'a', u'A'}, {u'z', u'Z'}, {u'A', u'A'}, {u'ñ', u'ñ'},   {u'é', u'é'},
               {u'ü', u'ü'}, {u'5', u'5'}, {u' ', u' '}, {u'\r', u'\r'}, {8, 8}};
  for (const auto& c : cases) {
    QChar key(c.in);
    form_->ComisionKeyPress(key);
    EXPECT_EQ(key, QChar(c.out)) << int(c.in);
  }
}

struct DigitsCase {
  const char* name;
  const char* box;
  const char* typed;
  const char* shown;
};

const DigitsCase kDigits[] = {
    {"FolioLettersAndSigns", "Folio", "1a 2-b3", "123"},
    {"FolioLimitOfFive", "Folio", "1234567", "12345"},
    {"NoEcoLimitOfFour", "NoEco", "9x8 7-65", "9876"},
    {"FolioAccentedLetters", "Folio", "ñ4é", "4"},
    // Modelo completes from its list: "19" shows 1990 with 90 selected, the
    // letter is discarded and leaves the completion as it was.
    {"ModeloLetter", "Modelo", "19x", "1990"},
    {"ModeloLetterAndMinus", "Modelo", "20a-", "2000"},
    {"ModeloAccentedLetter", "Modelo", "é2", "2000"},
};

class DigitsOnly : public InputRules, public testing::WithParamInterface<DigitsCase> {};

TEST_P(DigitsOnly, Typed) {
  Type(GetParam().box, QString::fromUtf8(GetParam().typed));
  EXPECT_EQ(TextOf(GetParam().box), QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(Table, DigitsOnly, testing::ValuesIn(kDigits),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(InputRules, DigitsOnlyKeys) {
  const struct {
    const char* name;
    const char* pasted;  // after "13" with the cursor at the end
  } boxes[] = {{"Folio", "13x9"},
               {"NoEco", "13X9"},  // NoEco and Modelo are also upper-case boxes
               {"Modelo", "13X9"}};
  for (const auto& box : boxes) {
    SCOPED_TRACE(box.name);
    Type(box.name, QStringLiteral("12"));
    PressAtFocus(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    TypeAtFocus(QStringLiteral(" -\b3"));
    EXPECT_EQ(TextOf(box.name), QStringLiteral("13"));
    // Copy, cut, paste and undo arrive as control characters and go.
    QApplication::clipboard()->setText(QStringLiteral("99"));
    QLineEdit* edit = EditOf(box.name);
    edit->selectAll();
    for (char letter : {'V', 'X', 'Z', 'C'}) PressControlAtFocus(letter);
    EXPECT_EQ(TextOf(box.name), QStringLiteral("13"));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("99"));
    // The context menu's Paste is not a typed character: not filtered.
    edit->setCursorPosition(2);
    Paste(box.name, QStringLiteral("x9"));
    EXPECT_EQ(TextOf(box.name), QString::fromUtf8(box.pasted));
  }
  const struct {
    char16_t in;
    bool kept;
  } cases[] = {{u'0', true},  {u'9', true},   {8, true},   {u'a', false}, {u' ', false},
               {u'-', false}, {u'\r', false}, {22, false}, {3, false},    {u'٣', false}};
  for (const auto& c : cases) {
    QChar key(c.in);
    form_->NoEcoKeyPress(key);
    EXPECT_EQ(key, c.kept ? QChar(c.in) : QChar()) << int(c.in);
  }
}

TEST_F(InputRules, NoBoxTakesCharactersOutsideTheCodePage) {
  const QString foreign = QStringLiteral("a") + QChar(0x0101) + QStringLiteral("b") + QChar(0x03A9);
  Type("Tipo", foreign);
  EXPECT_EQ(TextOf("Tipo"), QStringLiteral("AB"));
  Type("Comision", foreign);
  EXPECT_EQ(TextOf("Comision"), QStringLiteral("AB"));
  form_->Comision->clear();
  Paste("Comision", foreign + QStringLiteral("€"));
  EXPECT_EQ(TextOf("Comision"), QStringLiteral("ab€"));
  Paste("Folio", foreign);
  EXPECT_EQ(TextOf("Folio"), QStringLiteral("ab"));
  Paste("Marca", QString::fromUtf8("\xF0\x9F\x9A\x97") + QStringLiteral("x"));
  EXPECT_EQ(TextOf("Marca"), QStringLiteral("X"));
}

// Text an input method commits goes through the same rules, character by
// character, as typed text.
struct CommitCase {
  const char* name;
  const char* box;
  const char* committed;
  const char* shown;
};

const CommitCase kCommits[] = {
    {"FolioAccent", "Folio", "12á", "12"},
    {"NoEcoAccentedCapital", "NoEco", "É", ""},
    {"NoEcoDigitsKept", "NoEco", "4é5", "45"},
    // The digits complete from the list as typed ones do.
    {"ModeloLetters", "Modelo", "19xy", "1990"},
    // ASCII letters upper-cased, ñ and ú as committed.
    {"CommissionCase", "Comision", "ñandú 2", "ñANDú 2"},
    {"UpperCaseBox", "Tipo", "ñandú", "ÑANDÚ"},
    {"UpperCaseChoiceBox", "Marca", "volvo", "VOLVO"},
};

class InputMethodCommit : public InputRules, public testing::WithParamInterface<CommitCase> {};

TEST_P(InputMethodCommit, FollowsTheBoxsRule) {
  ClickInto(GetParam().box);
  CommitAtFocus(QString::fromUtf8(GetParam().committed));
  EXPECT_EQ(TextOf(GetParam().box), QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(Table, InputMethodCommit, testing::ValuesIn(kCommits),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(InputRules, FreeTextHasNoLimit) {
  const QString longText(300, u'x');
  Type("Placa", longText);
  EXPECT_EQ(TextOf("Placa").size(), 300);
  Type("Comision", longText);
  EXPECT_EQ(TextOf("Comision").size(), 300);
}

struct CompletionCase {
  const char* name;
  const char* box;
  const char* typed;
  const char* text;
  const char* selected;
};

const CompletionCase kCompletions[] = {
    // The first entry in list order that begins with the typed text:
    // VOLKSWAGEN stands before VOLVO, so "vol" shows VOLKSWAGEN and one more
    // letter, replacing the selection, reaches VOLVO.
    {"BrandWithoutRegardToCase", "Marca", "vol", "VOLKSWAGEN", "KSWAGEN"},
    {"FurtherLetterReplacesSelection", "Marca", "volv", "VOLVO", "O"},
    {"WholeBrandTyped", "Marca", "volvo", "VOLVO", ""},
    {"BrandNotInList", "Marca", "tesla", "TESLA", ""},
    {"ModelYear", "Modelo", "20", "2000", "00"},
    {"FurtherDigitReplacesSelection", "Modelo", "201", "2010", "0"},
    {"Colour", "Color", "Az", "AZUL", "UL"},
    {"Destination", "Destino", "quel", "QUELMORA", "MORA"},
    {"WholeEntryTyped", "Color", "rojo", "ROJO", ""},
};

class Completion : public InputRules, public testing::WithParamInterface<CompletionCase> {};

TEST_P(Completion, Inline) {
  const CompletionCase& c = GetParam();
  Type(c.box, QString::fromUtf8(c.typed));
  QLineEdit* edit = EditOf(c.box);
  EXPECT_EQ(edit->text(), QString::fromUtf8(c.text));
  EXPECT_EQ(edit->selectedText(), QString::fromUtf8(c.selected));
}

INSTANTIATE_TEST_SUITE_P(Table, Completion, testing::ValuesIn(kCompletions),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(InputRules, AgencyCompletesFromTheSortedList) {
  const QString first = form_->Dependencia->itemText(0);
  Type("Dependencia", first.left(1).toLower());
  EXPECT_EQ(form_->Dependencia->currentText(), first);
}

}  // namespace
