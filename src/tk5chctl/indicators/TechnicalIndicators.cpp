// SPDX-License-Identifier: BSD-3-Clause
#include "TechnicalIndicators.h"

#include "mdlDisplayExpMADifference.h"
#include "mdlDisplayMACD.h"
#include "mdlDisplayMomentum.h"
#include "mdlDisplayMoneyFlow.h"
#include "mdlDisplayOBV.h"
#include "mdlDisplayRSI.h"
#include "mdlDisplayVolatility.h"
#include "mdlDisplayVolume.h"
#include "mdlFastStochastic.h"
#include "mdlSlowStochastic.h"

namespace tk5 {

void DrawIndicatorPane(std::int16_t kind, DrawingSurface& ruler, DrawingSurface& plot,
                       const PriceSeries& ps, std::int16_t s, std::int16_t e,
                       const IndicatorSettings& p, const indicators::PaneLook& band) {
    switch (kind) {
    case IndicatorKind::Volume:
        indicators::DisplayVolume(ruler, plot, ps.price_volume, s, e, band);
        break;
    case IndicatorKind::RSI:
        indicators::DisplayRSI(ruler, plot, ps.price_close, s, e, p.rsi_periods, band);
        break;
    case IndicatorKind::FastStochastic:
        indicators::FastStochastic(ruler, plot, ps.price_close, ps.price_high, ps.price_low, s, e,
                                   p.fs_periods_k, p.fs_periods_d, band);
        break;
    case IndicatorKind::SlowStochastic:
        indicators::SlowStochastic(ruler, plot, ps.price_close, ps.price_high, ps.price_low, s, e,
                                   p.ss_periods_k, p.ss_periods_d, band);
        break;
    case IndicatorKind::MACD:
        indicators::DisplayMACD(ruler, plot, ps.price_close, s, e, p.macd_periods1, p.macd_periods2,
                                p.macd_periods3, band);
        break;
    case IndicatorKind::ExpMADifference:
        indicators::DisplayExpMADifference(ruler, plot, ps.price_close, s, e, p.exp_ma_periods1,
                                           p.exp_ma_periods2, band);
        break;
    case IndicatorKind::Momentum:
        indicators::DisplayMomentum(ruler, plot, ps.price_close, s, e, p.momentum_periods, band);
        break;
    case IndicatorKind::Volatility:
        indicators::DisplayVolatility(ruler, plot, ps.price_high, ps.price_low, s, e,
                                      p.volatility_periods1, p.volatility_periods2, band);
        break;
    case IndicatorKind::OnBalanceVolume:
        indicators::DisplayOBV(ruler, plot, ps.price_close, ps.price_volume, s, e, band);
        break;
    case IndicatorKind::MoneyFlowIndex:
        indicators::DisplayMoneyFlow(ruler, plot, ps.price_close, ps.price_high, ps.price_low,
                                     ps.price_volume, s, e, p.money_flow_periods, band);
        break;
    default: // any other code leaves the pane empty
        break;
    }
}

void DisplayTechnicalIndicators(const ChartState& st, const ChartSurfaces& sf,
                                std::int16_t indicator1, std::int16_t indicator2,
                                std::int16_t indicator3, Color bandColor) {
    sf.Picture2->Cls();
    sf.Picture3->Cls();
    sf.Picture4->Cls();
    const std::int16_t kinds[3] = {indicator1, indicator2, indicator3};
    const std::int16_t s = st.starting_date_local, e = st.ending_date_local;
    for (int p = 1; p <= 3; ++p) {
        try {
            DrawIndicatorPane(kinds[p - 1], sf.ruler(p), sf.plot(p), st.series, s, e, st.pane(p),
                              bandColor);
        } catch (const ChartError& error) {
            // Said in the user's terms: which pane, which indicator, which window.
            throw ChartError(error.kind(),
                             QStringLiteral("Pane %1 (%2) cannot be drawn over days %3 to %4: %5")
                                 .arg(p)
                                 .arg(indicatorName(kinds[p - 1]))
                                 .arg(s)
                                 .arg(e)
                                 .arg(QString::fromStdString(error.what()))
                                 .toStdString());
        }
    }
}

} // namespace tk5
