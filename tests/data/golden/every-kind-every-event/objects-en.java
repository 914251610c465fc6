// Creation of the Objects
private JLabel lblName = new JLabel("Label:");
private JTextField txtName = new JTextField("text");
private JPasswordField pwdSecret = new JPasswordField("");
private JButton btnGo = new JButton("Go");
private JList lstItems = new JList();
private JScrollPane jScrollPane1 = new JScrollPane();
private JComboBox cbxKind = new JComboBox();
private JList lstOther = new JList();
private JScrollPane jScrollPane2 = new JScrollPane();
private JButton btnAll = new JButton("All");
private JButton btnNone = new JButton("None");

// It creates the Window
this.getContentPane().setLayout(null);
this.setSize(640, 480);
this.setTitle("Every kind");
this.setResizable(true);
this.setModal(true);

// It creates the Controls in the Window
lblName.setToolTipText("A label");
lblName.setBounds(new Rectangle(-5, -10, 57, 13));
this.getContentPane().add(lblName, null);
lblName.addFocusListener (new FocusAdapter() {
  public void focusLost(FocusEvent e) {
    // Call to the Procedure
}});
lblName.addFocusListener (new FocusAdapter() {
  public void focusGained(FocusEvent e) {
    // Call to the Procedure
}});
lblName.addMouseListener (new MouseAdapter() {
  public void mouseClicked(MouseEvent e) {
    // Call to the Procedure
}});
lblName.addKeyListener (new KeyAdapter() {
  public void keyPressed(KeyEvent e) {
    // Call to the Procedure
}});
txtName.setToolTipText("  padded  ");
txtName.setBounds(new Rectangle(70, 10, 100, 21));
this.getContentPane().add(txtName, null);
txtName.addFocusListener (new FocusAdapter() {
  public void focusLost(FocusEvent e) {
    // Call to the Procedure
}});
txtName.addFocusListener (new FocusAdapter() {
  public void focusGained(FocusEvent e) {
    // Call to the Procedure
}});
txtName.addActionListener (new ActionListener() {
  public void actionPerformed(ActionEvent e) {
    // Call to the Procedure
}});
txtName.addMouseListener (new MouseAdapter() {
  public void mouseClicked(MouseEvent e) {
    // Call to the Procedure
}});
txtName.addKeyListener (new KeyAdapter() {
  public void keyPressed(KeyEvent e) {
    // Call to the Procedure
}});
pwdSecret.setBounds(new Rectangle(70, 40, 100, 21));
this.getContentPane().add(pwdSecret, null);
pwdSecret.addFocusListener (new FocusAdapter() {
  public void focusLost(FocusEvent e) {
    // Call to the Procedure
}});
pwdSecret.addFocusListener (new FocusAdapter() {
  public void focusGained(FocusEvent e) {
    // Call to the Procedure
}});
pwdSecret.addActionListener (new ActionListener() {
  public void actionPerformed(ActionEvent e) {
    // Call to the Procedure
}});
pwdSecret.addMouseListener (new MouseAdapter() {
  public void mouseClicked(MouseEvent e) {
    // Call to the Procedure
}});
pwdSecret.addKeyListener (new KeyAdapter() {
  public void keyPressed(KeyEvent e) {
    // Call to the Procedure
}});
btnGo.setToolTipText("Press");
btnGo.setBounds(new Rectangle(70, 70, 100, 30));
this.getContentPane().add(btnGo, null);
btnGo.addFocusListener (new FocusAdapter() {
  public void focusLost(FocusEvent e) {
    // Call to the Procedure
}});
btnGo.addFocusListener (new FocusAdapter() {
  public void focusGained(FocusEvent e) {
    // Call to the Procedure
}});
btnGo.addActionListener (new ActionListener() {
  public void actionPerformed(ActionEvent e) {
    // Call to the Procedure
}});
btnGo.addMouseListener (new MouseAdapter() {
  public void mouseClicked(MouseEvent e) {
    // Call to the Procedure
}});
btnGo.addKeyListener (new KeyAdapter() {
  public void keyPressed(KeyEvent e) {
    // Call to the Procedure
}});
lstItems.setToolTipText("Pick one");
jScrollPane1.setBounds(new Rectangle(200, 10, 130, 160));
jScrollPane1.getViewport().add(lstItems, null);
this.getContentPane().add(jScrollPane1, null);
lstItems.addFocusListener (new FocusAdapter() {
  public void focusLost(FocusEvent e) {
    // Call to the Procedure
}});
lstItems.addFocusListener (new FocusAdapter() {
  public void focusGained(FocusEvent e) {
    // Call to the Procedure
}});
lstItems.addMouseListener (new MouseAdapter() {
  public void mouseClicked(MouseEvent e) {
    // Call to the Procedure
}});
lstItems.addKeyListener (new KeyAdapter() {
  public void keyPressed(KeyEvent e) {
    // Call to the Procedure
}});
cbxKind.setBounds(new Rectangle(200, 180, 130, 21));
this.getContentPane().add(cbxKind, null);
cbxKind.addFocusListener (new FocusAdapter() {
  public void focusLost(FocusEvent e) {
    // Call to the Procedure
}});
cbxKind.addFocusListener (new FocusAdapter() {
  public void focusGained(FocusEvent e) {
    // Call to the Procedure
}});
cbxKind.addActionListener (new ActionListener() {
  public void actionPerformed(ActionEvent e) {
    // Call to the Procedure
}});
cbxKind.addMouseListener (new MouseAdapter() {
  public void mouseClicked(MouseEvent e) {
    // Call to the Procedure
}});
cbxKind.addKeyListener (new KeyAdapter() {
  public void keyPressed(KeyEvent e) {
    // Call to the Procedure
}});
jScrollPane2.setBounds(new Rectangle(340, 10, 120, 100));
jScrollPane2.getViewport().add(lstOther, null);
this.getContentPane().add(jScrollPane2, null);
btnAll.setBounds(new Rectangle(340, 120, 100, 30));
this.getContentPane().add(btnAll, null);
btnAll.addFocusListener (new FocusAdapter() {
  public void focusLost(FocusEvent e) {
    // Call to the Procedure
}});
btnAll.addFocusListener (new FocusAdapter() {
  public void focusGained(FocusEvent e) {
    // Call to the Procedure
}});
btnAll.addActionListener (new ActionListener() {
  public void actionPerformed(ActionEvent e) {
    // Call to the Procedure
}});
btnAll.addMouseListener (new MouseAdapter() {
  public void mouseClicked(MouseEvent e) {
    // Call to the Procedure
}});
btnAll.addKeyListener (new KeyAdapter() {
  public void keyPressed(KeyEvent e) {
    // Call to the Procedure
}});
btnNone.setBounds(new Rectangle(340, 160, 100, 30));
this.getContentPane().add(btnNone, null);
