#pragma once
// The part numbers of the op-amp models in our model library, and what each model's comment
// block documents about it (the figures its datasheet shows).
//
// A model's name is its part number, a "/" and the total supply it is made for
// ("KVR1202/30"); the part number is the name up to the "/". The comment block above a model
// starts with a line "* NAME  description" followed by lines "*   Figure : value".
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace parts {

// The part number of a model name: the name up to its first "/", or the whole name.
QString PartNumberOf(const QString& modelName);

// The part numbers of the library's models, in library order, each once.
QStringList PartNumbers(const QByteArray& library);

struct DocumentedModel {
  QString ModelName;    // "KVR1202/30"
  QString PartNumber;   // "KVR1202"
  QString Description;  // "general-purpose bipolar op-amp"
  std::vector<std::pair<QString, QString>> Figures;  // ("Gain-bandwidth", "1.2 MHz"), ...
};

// Every listed model with what its comment block documents; a model without a comment block
// has no description and no figures.
std::vector<DocumentedModel> DocumentedModels(const QByteArray& library);

}  // namespace parts
