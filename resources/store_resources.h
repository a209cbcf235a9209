#pragma once
// Resources of the point store: the indexing dialog PT_INDEXING, shown while an index is built.

namespace resources {

constexpr const char* kDialogIndexing = "PT_INDEXING";
constexpr int kIndexingText = 1045;      // static: what is being indexed
constexpr int kIndexingProgress = 1046;  // the progress bar, created by the dialog itself

struct TemplateSet;
TemplateSet store_templates();
void install_store_resources();

}  // namespace resources
