// Two simulated trades on ORCL and the transactions report.
// Run: build/dev/bin/tkchart --script examples/scripts/trades.js --png trades.png
chart.ReadDataFile("ORCL");
chart.starting_date_local = 1;
chart.ending_date_local = 200;
chart.DisplayChart(1, 200);
chart.DisplayTechnicalIndicators(chart.TechInd1, chart.TechInd2, chart.TechInd3);
// Buy 150 days back, sell 100 days back; buy 80 days back, sell 20 days back.
[[150, 100], [80, 20]].forEach(function (pair) {
    chart.RecordBuy(chart.xOfDay(pair[0]));
    chart.RecordSell(chart.xOfDay(pair[1]));
});
print(chart.buy_number + " buys, " + chart.sell_number + " sells");
print(chart.PrintTransactionsReport());
try {
    chart.SaveChartInFile("/no/such/folder/orcl.tkc"); // a member's failure is a script error
} catch (e) {
    print("not saved: " + e.message);
}
