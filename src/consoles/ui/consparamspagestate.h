#pragma once
#include <QString>

#include <utility>
#include <vector>

class CConsole;
class CSelvantisDoc;

// The decisions of the console parameters page, without a window: the
// values its controls show, how they come from a console's parameter store
// and go back to it, the checks of the typed values and the two status
// queries. Holds values only; the console and document are passed in.
class ConsParamsPageState final {
 public:
  // Defaults of a page that shows no console yet.
  static constexpr int kDefaultOnPriority = 7;
  static constexpr int kMinOnPriority = 0;
  static constexpr int kMaxOnPriority = 10;
  // ON_PRIO is stored as ten times the priority the page shows.
  static constexpr int kOnPrioScale = 10;
  static constexpr const char* kDefaultLongCode = "3971";
  static constexpr const char* kDefaultShortCode = "846";
  static constexpr int kMinShortCode = 100;
  static constexpr int kMaxShortCode = 999;
  static constexpr int kMinLongCode = 1000;
  static constexpr int kMaxLongCode = 9999;
  static constexpr int kExtCount = 4;
  static constexpr int kPttPrioCount = 3;

  enum class Query { Release, OpLevel };

  ConsParamsPageState() = default;

  // Back to the values of a page without a console.
  void Reset();

  // Fills the values from the console (its EXT is first brought in line
  // with its model and keys). doc supplies the info slot and the console
  // object; null takes the console's own document.
  void Load(CConsole& console, const CSelvantisDoc* doc);
  // The parameter texts Save writes, in the order it writes them. The
  // codes are written as numbers; the console's parameter store puts its
  // default in place of one outside its range.
  std::vector<std::pair<int, QString>> ParamTexts() const;
  // Writes the values to the console and its fault-handling membership,
  // then takes back the two codes the console holds (a default where a
  // typed code was out of range). Marks the document modified when
  // anything changed; returns whether anything did.
  bool Save(CConsole& console, const CSelvantisDoc* doc);

  // ---- Values -----------------------------------------------------------------
  const QString& GetType() const noexcept { return m_type; }
  const QString& GetAddress() const noexcept { return m_address; }
  const QString& GetSlot() const noexcept { return m_slot; }
  const QString& GetInput() const noexcept { return m_input; }
  const QString& GetStatus() const noexcept { return m_status; }
  void SetStatus(const QString& text) { m_status = text; }

  bool GetComp() const noexcept { return m_bComp; }
  void SetComp(bool on) noexcept { m_bComp = on; }
  bool GetBuzzer() const noexcept { return m_bBuzzer; }
  void SetBuzzer(bool on) noexcept { m_bBuzzer = on; }
  bool GetGerman() const noexcept { return m_bGerman; }
  void SetGerman(bool on) noexcept { m_bGerman = on; }
  bool GetDosChar() const noexcept { return m_bDosChar; }
  void SetDosChar(bool on) noexcept { m_bDosChar = on; }
  // Follows the pre-chime of fixed key 108, so the page shows it only.
  bool GetPreChime() const noexcept { return m_bPreChime; }

  int GetExt() const noexcept { return m_nExt; }
  // 0 "not used", 1 "AUX-source", 2 "RCX6350", 3 "PTT-microphone"; other
  // values count as 0.
  void SetExt(int ext) noexcept;
  // The label of the EXT radio the value selects.
  QString ExtText() const;
  static QString ExtRadioText(int index);
  // The PTT priority only matters for a PTT microphone on the EXT connector.
  bool IsPttPrioEnabled() const noexcept { return m_nExt == 3; }
  // -1: none.
  int GetPttPrio() const noexcept { return m_nPttPrio; }
  void SetPttPrio(int index) noexcept;
  static QString PttPrioText(int index);

  const QString& GetShortCode() const noexcept { return m_shortCode; }
  void SetShortCode(const QString& text) { m_shortCode = text.trimmed(); }
  const QString& GetLongCode() const noexcept { return m_longCode; }
  void SetLongCode(const QString& text) { m_longCode = text.trimmed(); }

  int GetOnPriority() const noexcept { return m_nOnPriority; }
  // A priority outside 0..10 becomes 0; returns false then, so the caller
  // shows the corrected value.
  bool SetOnPriority(int priority) noexcept;

  bool IsFaultHandlingAvailable() const noexcept { return m_bFaultAvailable; }
  bool GetFaultHandling() const noexcept { return m_bFault; }
  void SetFaultHandling(bool on) noexcept { m_bFault = on; }

  bool AreQueriesEnabled() const noexcept { return m_bQueries; }

  // ---- Status queries -----------------------------------------------------------
  // "/CONS/ADR<n>/RELEASE ?" or ".../OPLEVEL ?".
  static QString QueryText(const CConsole& console, Query query);
  // What the Status box shows of the unit's answer: the value of the line
  // that carries the query's path and a value other than "?"; without such
  // a line, a plain text line (not another object's reply); "" when the
  // unit said nothing of use.
  static QString ReplyText(const QString& reply, const QString& query);
  // The message when the unit does not answer the query.
  static QString NoAnswerText(Query query);

 private:
  QString m_type;
  QString m_address;
  QString m_slot;
  QString m_input;
  QString m_status;
  bool m_bComp = false;
  bool m_bBuzzer = false;
  bool m_bGerman = false;
  bool m_bDosChar = false;
  bool m_bPreChime = false;
  int m_nExt = 0;
  int m_nPttPrio = -1;
  QString m_shortCode = QString::fromLatin1(kDefaultShortCode);
  QString m_longCode = QString::fromLatin1(kDefaultLongCode);
  int m_nOnPriority = kDefaultOnPriority;
  bool m_bFaultAvailable = false;
  bool m_bFault = false;
  bool m_bQueries = false;
};
