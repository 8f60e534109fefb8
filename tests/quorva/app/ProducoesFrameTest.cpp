// The productions page and its import of a simulator file.

#include <cmath>

#include "platform/dbctrls/DbGrid.h"
#include "platform/rtl/Exceptions.h"
#include "quorva/app/ProducoesFrame.h"
#include "quorva/model/SimulationQuorvaUnit.h"
#include "storage/PersistUnit.h"
#include "tests/quorva/app/QuorvaFrames.h"

namespace {

class ProducoesFrameTest : public QuorvaFramesTest {
protected:
  ProducoesFrameTest() {
    frame->OnImported = [this] { ++imported; };
  }
  // A simulator file with two harvests, at 8 and 16, of one product (price
  // 40, 3 % a year), site index 28.5.
  std::string WriteSimulation(const std::string& name) {
    quorva::TSimulationPersist root;
    root.SetFilename(name);
    quorva::TSimulation& sim = root.SimulationCollection().Add();
    sim.SetSiteIndex(28.5);
    TProduct& product = sim.ProductCollection().Add();
    product.SetName("Serraria");
    product.SetMinDiameter(25);
    product.SetPrice(40);
    product.SetPriceEvolutionRate(3);
    for (int age : {8, 16}) {
      TProduction& harvest = sim.ProductionCollection().Add();
      harvest.SetAge(age);
      harvest.SetOrigem(age == 8 ? "DESBASTE" : "CORTE FINAL");
      auto& volume = harvest.DiameterClasses().Add().ProductsVolume().Add();
      volume.SetProductIndex(0);
      volume.SetVolume(age * 10.0);
    }
    const std::string path = (dir.Sub("sims") / name).string();
    SaveComponent(path, root);
    return path;
  }
  std::vector<std::string> Productions() {
    std::vector<std::string> list;
    for (const TProducao& p : plan().Producoes()) list.push_back(p.Origem() + " " + std::to_string(p.Idade()));
    return list;
  }

  TFrameProducoes* frame = Make<TFrameProducoes>(marquel());
  int imported = 0;
};

TEST_F(ProducoesFrameTest, ImportReplacesTheProductionsOrStopsLeavingThemAsTheyWere) {
  const std::vector<std::string> before = Productions();
  ASSERT_EQ(before.size(), 2u);
  dialogs.Answer(TMsgDlgBtn::No);
  EXPECT_FALSE(frame->ImportarSimulacao());
  dialogs.Answer(TMsgDlgBtn::Yes).AnswerFile("");
  EXPECT_FALSE(frame->ImportarSimulacao());
  EXPECT_EQ(Productions(), before);
  EXPECT_EQ(imported, 0);
  const auto opens = dialogs.Prompts(Prompt::Kind::OpenFile);
  ASSERT_EQ(opens.size(), 1u);
  EXPECT_EQ(opens[0].options.fileName, "Simulation.dat");
  EXPECT_EQ(opens[0].options.initialDir, work.string());
  EXPECT_EQ(opens[0].options.filter, kDataFileFilter);
  EXPECT_TRUE(opens[0].options.fileMustExist);

  // A plan file is not a simulator file: its message, the plan as it was,
  // the window told all the same.
  dialogs.Answer(TMsgDlgBtn::Yes).AnswerFile((exe / "Plano1.dat").string());
  try {
    frame->ImportarSimulacao();
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(),
              "Não foi possível ler o arquivo \"Plano1.dat\": não é um arquivo de simulação.\n"
              "Arquivo não contém o objeto do tipo: TSimulationPersist");
  }
  EXPECT_EQ(imported, 1);
  EXPECT_EQ(Productions(), before);
  EXPECT_TRUE(marquel().cdsProducao().Active());

  const std::string path = WriteSimulation("Simulation.dat");
  dialogs.Answer(TMsgDlgBtn::Yes).AnswerFile(path);
  EXPECT_TRUE(frame->ImportarSimulacao());
  EXPECT_EQ(imported, 2);
  EXPECT_EQ(Productions(), (std::vector<std::string>{"DESBASTE 8", "CORTE FINAL 16"}));
  EXPECT_EQ(plan().IndiceSitio(), 28.5);
  const TItemProducao& item = plan().Producoes()[1].ItensProducao()[0];
  EXPECT_EQ(item.Volume(), 160);
  EXPECT_NEAR(item.Preco(), 40 * std::pow(1.03, 16), 1e-9);
  EXPECT_EQ(frame->Grid()->model()->rowCount(), 2);

  // The next import starts where the last one was read from.
  dialogs.Answer(TMsgDlgBtn::No);
  EXPECT_FALSE(frame->ImportarSimulacao());
  EXPECT_EQ(dialogs.Prompts(Prompt::Kind::YesNo).size(), 5u);
  dialogs.Answer(TMsgDlgBtn::Yes).AnswerFile("");
  frame->ImportarSimulacao();
  EXPECT_EQ(dialogs.Prompts(Prompt::Kind::OpenFile).back().options.initialDir, (dir.Path() / "sims").string());
  EXPECT_TRUE(RecordedExceptions().empty());
}

}  // namespace
