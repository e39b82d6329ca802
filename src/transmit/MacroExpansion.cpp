#include "transmit/MacroExpansion.h"

#include <QComboBox>
#include <QLineEdit>
#include <array>

#include "window/Form1Controls.h"
#include "window/MainState.h"

namespace quillary {

namespace {

enum class Token { My, Om, Gm, His, Tx, Rx };

struct TokenText {
  Token token;
  QLatin1StringView text;
};

constexpr std::array<TokenText, 6> kPasses{{{Token::My, QLatin1StringView("<MY>")},
                                           {Token::Om, QLatin1StringView("<OM>")},
                                           {Token::Gm, QLatin1StringView("<GM>")},
                                           {Token::His, QLatin1StringView("<HIS>")},
                                           {Token::Tx, QLatin1StringView("<TX>")},
                                           {Token::Rx, QLatin1StringView("<RX>")}}};

QString valueOf(Token token, const MacroValues& values) {
  switch (token) {
    case Token::My: return values.ownCall;
    case Token::Om: return values.hisName;
    case Token::Gm: return values.greeting;
    case Token::His: return values.hisCall;
    case Token::Tx:
    case Token::Rx: break;
  }
  return QString();
}

// One pass: every occurrence of the token, first to last.
void expandPass(QString& text, const TokenText& pass, const MacroValues& values,
                ExpandedMacro& result) {
  const QString value = valueOf(pass.token, values);
  qsizetype from = 0;
  for (;;) {
    const qsizetype at = text.indexOf(pass.text, from, Qt::CaseInsensitive);
    if (at < 0) return;
    const QString head = text.left(at) + QLatin1Char(' ');
    if (pass.token == Token::Rx) {
      result.receive = true;
      text = head;
      return;
    }
    // The character right after the token is dropped.
    const QString tail = QLatin1Char(' ') + text.mid(at + pass.text.size() + 1);
    if (pass.token == Token::Tx) result.transmit = true;
    text = head + value + tail;
    from = head.size() + value.size();
  }
}

}  // namespace

QString greetingFor(const QString& code) {
  static const std::array<std::pair<const char*, const char*>, 9> kGreetings{{
      {"Hello", "Hello"},
      {"GM", "Good Morning"},
      {"GA", "Good Afternoon"},
      {"GE", "Good Evening"},
      {"GN", "Good Night"},
      {"GMJ", "お早うございます。"},
      {"GAJ", "こんにちは。"},
      {"GEJ", "こんばんは。"},
      {"GNJ", "お休みなさい。"},
  }};
  for (const auto& [key, greeting] : kGreetings) {
    if (code == QLatin1StringView(key)) return QString::fromUtf8(greeting);
  }
  return QString();
}

ExpandedMacro expandMacro(const QString& text, const MacroValues& values) {
  ExpandedMacro result;
  result.text = text;
  for (const TokenText& pass : kPasses) expandPass(result.text, pass, values, result);
  return result;
}

void Insert_Send(Form1Context& context) {
  const Form1Controls& c = context.controls;
  MainState& state = context.state;
  const MacroValues values{c.Text4->text(), c.Text27->text(), QString::fromStdString(state.hisName),
                           greetingFor(c.Combo8->currentText())};
  const ExpandedMacro expanded = expandMacro(QString::fromStdString(state.sendText), values);
  state.sendText = expanded.text.toStdString();
  state.transmitToken = expanded.transmit ? 1 : 0;
  state.receiveToken = expanded.receive ? 1 : 0;
}

}  // namespace quillary
