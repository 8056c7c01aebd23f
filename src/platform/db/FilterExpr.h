// The filter text of a dataset: fields compared with quoted texts, numbers or
// other fields, joined by and/or/not with parentheses, "IS [NOT] NULL".
// Parsed once when the filter is set; names are resolved to the dataset's fields.
#pragma once

#include <memory>
#include <string>

namespace db {

class Dataset;

class FilterExpression {
public:
    // Throws DatabaseError naming the fault of the text.
    FilterExpression(const std::string& text, const Dataset& dataset);
    ~FilterExpression();
    // Evaluates on the record the dataset's fields read at the moment.
    bool Evaluate(bool caseInsensitive) const;

    struct Node;

private:
    std::unique_ptr<Node> root_;
};

}  // namespace db
