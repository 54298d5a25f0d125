// A walk through ORCL's history: page back, zoom, and print the window at each step.
// Run: build/dev/bin/tkchart --script examples/scripts/navigate.js --png walk.png
chart.ReadDataFile("ORCL");
chart.starting_date_local = 1;
chart.ending_date_local = 120;
chart.DisplayChart(1, 120);
function show(step) {
    print(step + ": days " + chart.starting_date_local + ".." + chart.ending_date_local +
          " (" + chart.EndingDate + " to " + chart.StartingDate + "), high " +
          chart.MaximumPrice.toFixed(2) + ", low " + chart.MinimumPrice.toFixed(2));
}
show("start");
chart.GoBackward();
show("back");
chart.ZoomIn();
show("zoom in");
chart.ZoomOut();
show("zoom out");
chart.GoForward();
show("forward");
print("day of 2014-06-02: " + chart.ConvertDateToInteger("2014-06-02"));
