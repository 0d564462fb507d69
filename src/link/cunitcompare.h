#ifndef SELV_LINK_CUNITCOMPARE_H
#define SELV_LINK_CUNITCOMPARE_H

#include "link/ccomparereport.h"
#include "link/ctransfer.h"

class CCommLink;
class CSelvantisDoc;

// Compares a project with what the unit holds. The project is copied in
// memory through the project file's own code (saved to bytes, read into a
// fresh document); a whole upload runs into the copy through the transfer
// handed in, so its progress, Cancel, no-progress limit and endings are an
// upload's; then the copy's download lines are set against those it had
// before, setting by setting. The project itself is only read: its objects,
// its modified flag and its file stay as they were, and no error file of its
// own is touched. The link serves the copy while the upload runs and the
// document it served before afterwards.
//
// Only the steps of each object that send download lines are asked: a table
// the download clears and sends only its used entries of is asked for those
// entries, the rest count as cleared (the report names those tables).
//
// A setting the upload asked for and the unit answered is compared: it
// differs when the answer does not mean what the project sends
// (CSettingValue: "OFF" and "0" for no relay, leading zeros, texts cut to
// their width, ...) and the copy's line changed through the answer, or the
// object that took the answer reported a mismatch (a message, or a line of
// the upload's error file written while it took the answer), as it does for
// settings it only checks and does not store. Rows show both values in the
// user's terms and in command form. A query of a downloaded setting the unit
// refused ("ERROR path") is a row "not answered"; a refused query of a
// setting the download never sends agrees with the project. Lines the
// objects write to the error file outside an answer (a unit too old to
// report something) are the report's notes, never a setting's mismatch. A
// download line whose setting the upload never asks for is not compared,
// and its kind is named. The lines that clear the unit's tables before a
// download (a path part CLEAR, a value ending in _CLR) are actions, not
// settings, and take no part. Only the objects of the project take part,
// not the ones the file code adds to the copy.
//
// Only an upload that ran to its end gives a verdict: any other ending
// (cancelled, unanswered, held, lost) gives a stopped report with the rows
// read before the stop, and the upload's own message says why.
class CUnitCompare final {
 public:
  explicit CUnitCompare(CCommLink& link);
  CUnitCompare(const CUnitCompare&) = delete;
  CUnitCompare& operator=(const CUnitCompare&) = delete;

  // Runs the comparison; the transfer's messages are shown as an upload's
  // are, the objects' mismatch messages are taken into the report instead.
  CCompareReport Run(const CSelvantisDoc& project, CTransfer& transfer);
  // How the upload of the last run ended.
  CTransfer::Result TransferResult() const noexcept { return m_result; }

  // The kind of object a setting belongs to, as the report names it.
  static QString KindText(int type, int category);

 private:
  CCommLink& m_link;
  CTransfer::Result m_result = CTransfer::Result::Done;
};

#endif
