#pragma once

#include "dictionary_table.h"

#include <QString>

namespace Translat {

// The dictionary on disk: an XML data packet in UTF-8, the portable form of the in-memory
// dataset's own file format. Its field list names the three text columns of width 255; each
// ROW element holds one record, a missing attribute standing for an empty text.

// Reads the dictionary file. Throws platform::InputError, naming the file and what is wrong,
// when it cannot be read, is no such data packet, declares other fields, or holds a text over
// 255 characters or an English text twice.
DictionaryTable LoadDictionaryFile(const QString& path);

// Writes the dictionary into a new file beside the old one and puts it in the old one's place
// only once it is complete, so that a failure never leaves half a dictionary. Throws
// platform::InputError when it cannot be written.
void SaveDictionaryFile(const DictionaryTable& dictionary, const QString& path);

} // namespace Translat
