#pragma once
// The shipped dictionaries are kept as readable UTF-8 sources: one tab-separated file per group
// ("05-survey-methods.tsv", the number is the group) plus groups.tsv. This reader turns them into the
// DICTIONARYS and Groups tables from which DICTIONARYS.BIN and GROUPS.BIN are written.
#include <string>

namespace tarvena {

class MemTable;

// The declared fields of DICTIONARYS: ID integer required, GROUP_ID, NAME (128), PARENT_ID, ALTORDER.
// The table must be closed; its previous fields are removed.
void defineDictionarysFields(MemTable &dictionarys);
// The declared fields of Groups: ID, GROUPNAME (128), PARENT_ID, USE_ALTORDER (fixed text of 1).
void defineGroupsFields(MemTable &groups);

// Reads the sources in dir (a UTF-8 path) and replaces the fields and rows of both tables with them;
// texts become code page 1251. Entries come in group order, each file in line order. Throws Error naming
// the file and line of the first fault (a malformed line, a text code page 1251 cannot hold, a text longer
// than its field, an ID used twice or 0, a group outside 1..24); the tables are left untouched then.
void readDictionarySources(const std::string &dir, MemTable &dictionarys, MemTable &groups);

} // namespace tarvena
