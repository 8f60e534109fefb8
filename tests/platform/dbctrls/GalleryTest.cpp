// Writes dbctrls-gallery.png into the build folder: a small form with every
// data-aware control bound to one dataset, for a person to look at. The
// checks are only that it was drawn and written.

#include <gtest/gtest.h>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/dbctrls/DbControls.h"
#include "platform/dbctrls/DbGrid.h"
#include "platform/dbctrls/DbNavigator.h"
#include "tests/platform/dbctrls/Crates.h"
#include "tests/support/gui/GuiSupport.h"

namespace {

class Gallery : public CratesTest {};

TEST_F(Gallery, WritesAFormWithEveryControl) {
  ds.Close();
  ds.AddFields({{"Id", TFieldType::Integer, 0, "", "", false, 0, "Código"},
                {"Name", TFieldType::String, 30, "", "", false, 0, "Nome"},
                {"Price", TFieldType::Float, 0, "", "", true, 0, "Preço"},
                {"Qty", TFieldType::Integer, 0, "#,##0", "", false, 0, "Quantidade"},
                {"Kind", TFieldType::String, 1, "", "", false, 0, "Tipo"},
                {"Unit", TFieldType::String, 10, "", "", false, 0, "Unidade"},
                {"Notes", TFieldType::String, 200, "", "", false, 0, "Observações"}});
  crates[1].SetNotes("Entrega às sextas-feiras.\nConferir o lacre.");
  crates[1].SetUnit("saco");
  crates[3].SetQty(1250);
  ds.Open();
  ds.Next();

  window->setWindowTitle("Caixas");
  window->resize(640, 360);
  auto* top = new QHBoxLayout(window.get());
  top->setContentsMargins(10, 10, 10, 10);
  top->setSpacing(12);

  auto* left = new QVBoxLayout;
  left->setSpacing(6);
  auto* title = new QLabel("Caixas", window.get());
  QFont bold = title->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.2);
  title->setFont(bold);
  left->addWidget(title);
  auto* grid = new DbGrid(window.get(), &source);
  grid->SetColumns({{"Id", "", true, {}, std::nullopt, 52},
                    {"Name", "", false, {}, std::nullopt, 110},
                    {"Price", "", false, {}, std::nullopt, 80},
                    {"Qty", "Qtd."}});
  left->addWidget(grid, 1);
  auto* nav = new DbNavigator(window.get(), &source);
  using B = DbNavigator::Button;
  nav->SetVisibleButtons({B::First, B::Prior, B::Next, B::Last, B::Insert, B::Delete, B::Post, B::Cancel});
  nav->setFixedHeight(26);
  left->addWidget(nav);
  top->addLayout(left, 3);

  auto* right = new QVBoxLayout;
  right->setSpacing(6);
  auto* form = new QFormLayout;
  form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  form->setHorizontalSpacing(8);
  form->setVerticalSpacing(6);
  form->addRow("Código:", new DbLabel(window.get(), &source, "Id"));
  form->addRow("&Nome:", new DbLineEdit(window.get(), &source, "Name"));
  form->addRow("&Preço:", new DbLineEdit(window.get(), &source, "Price"));
  form->addRow("&Quantidade:", new DbLineEdit(window.get(), &source, "Qty"));
  auto* unit = new DbComboBox(window.get(), &source, "Unit");
  unit->SetItems({"cx", "kg", "un"});
  form->addRow("&Unidade:", unit);
  right->addLayout(form);
  auto* kind = new DbRadioGroup(window.get(), &source, "Kind");
  kind->setTitle(" Tipo ");
  kind->SetItems({"Leve", "Médio", "Pesado"});
  kind->SetValues({"L", "M", "P"});
  kind->SetColumns(3);
  right->addWidget(kind);
  auto* notesLabel = new QLabel("&Observações:", window.get());
  right->addWidget(notesLabel);
  auto* notes = new DbTextEdit(window.get(), &source, "Notes");
  notesLabel->setBuddy(notes);
  right->addWidget(notes, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(new QPushButton("OK", window.get()));
  buttons->addWidget(new QPushButton("Cancelar", window.get()));
  right->addLayout(buttons);
  top->addLayout(right, 2);

  Show();

  QImage image = Snap(*window);
  const QString path = QStringLiteral(TQ_BINARY_DIR "/dbctrls-gallery.png");
  ASSERT_TRUE(image.save(path)) << path.toStdString();
  EXPECT_EQ(QImage(path).size(), window->size());
  EXPECT_TRUE(RecordedExceptions().empty());
}

}  // namespace
