#pragma once
// The station name log of the main window: "name.ini" names the log file,
// the log holds call-and-name pairs; the name box Text6 shows the name of the
// call in Text27 and is his name for the "<OM>" token.
#include <filesystem>
#include <string>

#include "window/Form1Context.h"

namespace quillary {

// Reads "name.ini" (the log's path, one field) and then the log. A missing
// "name.ini" leaves the path and the table as they were.
void Read_Name_Init(Form1Context& context);
// Reads the log at the current path into the name table.
void Read_Name(Form1Context& context);
// Looks up the text of Text27: his name and Text6 become the name found, or
// "OM" when the call is not in the table.
void Check_Name(Form1Context& context);

// A double click on Text6: after "Save name ??" is answered Yes, appends
// Text27 "," Text6 to the log and reads it again. A call or name the log
// could not give back (a leading double quote) is refused with a message
// before anything is asked.
void onNameBoxDoubleClicked(Form1Context& context);
// "Name": the operator picks the log file, which is read at once.
void onNameButtonClicked(Form1Context& context);
// His name follows Text6; the double click and "Name" are connected.
void connectNameLog(Form1Context& context);

// Writes "name.ini" in `folder` whole; false when it could not be written.
bool writeNameIni(const std::filesystem::path& folder, const std::string& nameLogPath);

}  // namespace quillary
